// Local sockets: round trips in each namespace, and handsets kept apart.
#include <cutils/sockets.h>

#include <errno.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include <string>
#include <thread>

#include "temp_root.h"

namespace {

// Serves one connection: reads a request and answers it reversed.
void roundTrip(const char* name, int ns) {
  int server = socket_local_server(name, ns, SOCK_STREAM);
  ASSERT_GE(server, 0) << strerror(errno);
  std::thread peer([server] {
    int c = accept(server, nullptr, nullptr);
    char buf[16] = {};
    ssize_t n = read(c, buf, sizeof buf);
    std::string reply(buf, n > 0 ? static_cast<size_t>(n) : 0);
    std::reverse(reply.begin(), reply.end());
    write(c, reply.data(), reply.size());
    close(c);
  });
  int client = socket_local_client(name, ns, SOCK_STREAM);
  ASSERT_GE(client, 0) << strerror(errno);
  ASSERT_EQ(write(client, "hint", 4), 4);
  char buf[16] = {};
  EXPECT_EQ(read(client, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "tnih");
  close(client);
  peer.join();
  close(server);
}

TEST(Sockets, RoundTripInEachNamespace) {
  TempRoot root;
  roundTrip("com.korvalen.test", ANDROID_SOCKET_NAMESPACE_ABSTRACT);
  roundTrip("kvtest", ANDROID_SOCKET_NAMESPACE_RESERVED);
  EXPECT_EQ(access((root.path() + "/dev/socket/kvtest").c_str(), F_OK), 0);
  roundTrip("/data/kv.sock", ANDROID_SOCKET_NAMESPACE_FILESYSTEM);
  EXPECT_EQ(access((root.path() + "/data/kv.sock").c_str(), F_OK), 0);
}

TEST(Sockets, AbstractNamesOfTwoHandsetsDoNotMeet) {
  int server;
  {
    TempRoot first;
    server = socket_local_server("com.korvalen.apart", ANDROID_SOCKET_NAMESPACE_ABSTRACT, SOCK_STREAM);
    ASSERT_GE(server, 0);
  }
  TempRoot second;
  EXPECT_EQ(socket_local_client("com.korvalen.apart", ANDROID_SOCKET_NAMESPACE_ABSTRACT, SOCK_STREAM), -1);
  EXPECT_EQ(errno, ECONNREFUSED);
  close(server);
}

TEST(Sockets, FailuresAreReported) {
  TempRoot root;
  errno = 0;
  EXPECT_EQ(socket_local_client("com.korvalen.nobody", ANDROID_SOCKET_NAMESPACE_ABSTRACT, SOCK_STREAM), -1);
  EXPECT_EQ(errno, ECONNREFUSED);
  std::string longName(200, 'n');
  EXPECT_EQ(socket_local_client(longName.c_str(), ANDROID_SOCKET_NAMESPACE_ABSTRACT, SOCK_STREAM), -1);
  EXPECT_EQ(errno, ENAMETOOLONG);
  EXPECT_EQ(socket_local_server(("/data/" + longName).c_str(), ANDROID_SOCKET_NAMESPACE_FILESYSTEM,
                                SOCK_STREAM), -1);
  EXPECT_EQ(errno, ENAMETOOLONG);
  EXPECT_EQ(socket_local_client("x", 7, SOCK_STREAM), -1);
  EXPECT_EQ(errno, EINVAL);
}

}  // namespace
