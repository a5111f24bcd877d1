// The process-wide records start as the rest of the system expects, and the
// allocation counter fails exactly the call it is told to.
#include <gtest/gtest.h>

#include <cstring>

#include "anim/heap_block.h"
#include "host/host_state.h"
#include "settings/saver_settings.h"

TEST(SharedRecords, HostStateStartsAtItsProcessStartValues) {
  HostState.isPreview = 1;
  HostState.lastVerifyTick = 5;
  HostState.referencePoint = {3, 4};
  ResetHostState();
  EXPECT_EQ(HostState.instance, nullptr);
  EXPECT_EQ(HostState.isWin95Family, 0);
  EXPECT_EQ(HostState.saverWindow, nullptr);
  EXPECT_EQ(HostState.isPreview, 0);
  EXPECT_EQ(HostState.isClosing, 0);
  EXPECT_EQ(HostState.isVerifying, 0);
  EXPECT_EQ(HostState.passwordModule, nullptr);
  EXPECT_EQ(HostState.verifyPassword, nullptr);
  EXPECT_EQ(HostState.immModule, nullptr);
  EXPECT_EQ(HostState.immAssociateContext, nullptr);
  EXPECT_EQ(HostState.savedInputContext, nullptr);
  EXPECT_EQ(HostState.referencePoint.x, 0);
  EXPECT_EQ(HostState.referencePoint.y, 0);
  EXPECT_EQ(HostState.lastVerifyTick, 0xFFFFFFFFu);
}

TEST(SharedRecords, SettingTableListsTheSixValuesInStorageOrder) {
  struct Row {
    const char* name;
    int32_t defaultValue, lowest, highest;
  };
  const Row expected[] = {{"Zoom", 1, 1, 2},          {"Number", 4, 1, 256},
                          {"MoveSpeed", 8, 0, 256},   {"RotSpeed", 16, 0, 64},
                          {"RotTimeMin", 16, 0, 998}, {"RotTimeMax", 48, 1, 999}};
  SaverSettingsRecord settings;
  std::memset(&settings, 0x55, sizeof settings);
  SetDefaultSettings(&settings);
  const int32_t* fieldsInOrder = &settings.Zoom;
  for (int i = 0; i < SettingCount; ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_STREQ(SettingTable[i].name, expected[i].name);
    EXPECT_EQ(SettingTable[i].defaultValue, expected[i].defaultValue);
    EXPECT_EQ(SettingTable[i].lowest, expected[i].lowest);
    EXPECT_EQ(SettingTable[i].highest, expected[i].highest);
    // The table's field is the record's i-th field, so the registry order
    // is the record's order.
    EXPECT_EQ(&(settings.*SettingTable[i].field), fieldsInOrder + i);
    EXPECT_EQ(fieldsInOrder[i], expected[i].defaultValue);
  }
}

TEST(SharedRecords, AllocationFailsExactlyAtTheChosenCall) {
  for (uint32_t failAt : {1u, 2u, 5u}) {
    SCOPED_TRACE(failAt);
    const int32_t liveBefore = HeapCounters.liveBlocks;
    FailAllocationAt(failAt);
    void* blocks[6];
    for (uint32_t call = 1; call <= 6; ++call) {
      blocks[call - 1] = AllocateBlock(16);
      EXPECT_EQ(blocks[call - 1] == nullptr, call == failAt) << "call " << call;
    }
    EXPECT_EQ(HeapCounters.liveBlocks, liveBefore + 5);
    for (void* block : blocks) ReleaseBlock(block);
    EXPECT_EQ(HeapCounters.liveBlocks, liveBefore);
  }
  FailAllocationAt(0);
  void* block = AllocateBlock(1);
  EXPECT_NE(block, nullptr);
  ReleaseBlock(block);
}
