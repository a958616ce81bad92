// Test fixtures on a bare simulated handset: with the simulated sensor kernel,
// or with fake drivers in every slot of a fresh poll context.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SensorContext.h"
#include "SensorList.h"
#include "fake_driver.h"
#include "sim/handset.h"
#include "sim/sensor_simulator.h"

// A handset root with the simulated sensor kernel serving it (no device yet).
class SimulatedKernelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    handset_ = kv::sim::Handset::createBare(&error);
    ASSERT_TRUE(handset_) << error;
    sim_ = kv::sim::SensorSimulator::create(*handset_, &error);
    ASSERT_TRUE(sim_) << error;
  }
  void TearDown() override { SensorList::destroyInstance(); }

  std::unique_ptr<kv::sim::Handset> handset_;
  std::unique_ptr<kv::sim::SensorSimulator> sim_;
};

// A poll context whose fifteen slots hold fake drivers.
class FakeContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    handset_ = kv::sim::Handset::createBare(&error);
    ASSERT_TRUE(handset_) << error;
    context_ = sensors_poll_context_t::getInstance();
  }
  void TearDown() override {
    delete sensors_poll_context_t::contextInstance;
    SensorList::destroyInstance();
  }

  std::unique_ptr<kv::sim::Handset> handset_;
  FakeDrivers fakes_;
  sensors_poll_context_t* context_ = nullptr;
};
