// The simulated handset: a root tree that stands for the handset's file system
// (vendor image, /data, /mnt, /dev, /sys), named to every component by KV_ROOT.
#pragma once

#include <memory>
#include <string>

namespace kv::sim {

struct HandsetOptions {
  // Folder to create the root in; empty: a new temporary folder.
  std::string root;
  // Staged vendor image to copy in ("<image>/vendor", "<image>/system"). Empty:
  // $KV_IMAGE, else the image of this build. Ignored when stageImage is false.
  std::string image;
  bool stageImage = true;
  // Point KV_ROOT of this process at the root while the handset lives.
  bool setEnvironment = true;
  // Leave the tree on disk when the handset is destroyed.
  bool keep = false;
};

class Handset {
 public:
  // Builds the tree; null with a message in *error when it cannot.
  static std::unique_ptr<Handset> create(const HandsetOptions& options, std::string* error);
  // A root with the handset's folders but no vendor image; KV_ROOT points at it
  // while it lives.
  static std::unique_ptr<Handset> createBare(std::string* error = nullptr);
  // Joins a root that exists already (a handset another process started).
  static std::unique_ptr<Handset> join(const std::string& root, bool setEnvironment, std::string* error);
  ~Handset();
  Handset(const Handset&) = delete;
  Handset& operator=(const Handset&) = delete;

  const std::string& root() const { return root_; }
  // Host path of a handset path ("/dev/m_acc_misc" -> "<root>/dev/m_acc_misc").
  std::string hostPath(const std::string& handsetPath) const;
  // Writes a file of the handset, creating its folders.
  bool writeFile(const std::string& handsetPath, const std::string& content) const;

 private:
  Handset(std::string root, bool ownsEnvironment, bool removeOnExit, std::string previousRoot,
          bool hadPreviousRoot);
  std::string root_;
  bool ownsEnvironment_;
  bool removeOnExit_;
  std::string previousRoot_;
  bool hadPreviousRoot_;
};

// The image this build stages (compiled in), or $KV_IMAGE when set.
std::string defaultImageDir();

}  // namespace kv::sim
