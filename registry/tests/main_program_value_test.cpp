// The one write that discpilot makes: the game's drive below HKEY_LOCAL_MACHINE. The test puts
// back whatever the machine held there before it ran.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/app.h"
#include "registry/cRegistry.h"
#include "registry/tests/support/properties.h"
#include "registry/tests/support/registry_seam.h"
#include "registry/tests/support/scratch_key.h"

namespace {

using regtest::Raised;
using regtest::RaisedBy;
using Call = regtest::RegistrySeam::Call;
using namespace std::string_literals;

constexpr char kPublisherKey[] = "Software\\EA SPORTS";
constexpr char kGameKey[] = "Software\\EA SPORTS\\FIFA 2001\\";
constexpr char kDriveValue[] = "CD Drive";

class GameDriveTest : public regtest::SeamTest {
 protected:
  void SetUp() override {
    publisherExisted_ = regtest::KeyPresent(HKEY_LOCAL_MACHINE, kPublisherKey);
    gameExisted_ = regtest::KeyPresent(HKEY_LOCAL_MACHINE, kGameKey);
    previous_ = regtest::ReadValue(HKEY_LOCAL_MACHINE, kGameKey, kDriveValue);
  }
  void TearDown() override {
    regtest::SeamTest::TearDown();
    if (!publisherExisted_) {
      regtest::DeleteTree(HKEY_LOCAL_MACHINE, kPublisherKey);
    } else if (!gameExisted_) {
      regtest::DeleteTree(HKEY_LOCAL_MACHINE, kGameKey);
    } else if (previous_) {
      regtest::WriteValue(HKEY_LOCAL_MACHINE, kGameKey, kDriveValue, previous_->type,
                          previous_->data);
    } else {
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kDriveValue);
        RegCloseKey(key);
      }
    }
  }

  // The object exactly as discpilot sets it up for its write.
  static cRegistry GameDrive() {
    cRegistry registry;
    registry.ClassKey(RegistryRootKey::LocalMachine);
    registry.SectionKey(kGameKey);
    registry.ValueKey(kDriveValue);
    registry.ValueType(RegistryValueType::String);
    return registry;
  }

  // The full description of a refused write of drive E.
  static constexpr char kRefusedDescription[] =
      "Failed to set registry value Key: '-2147483646',Section: 'Software\\EA SPORTS\\FIFA "
      "2001\\',Key: 'CD Drive' to value: 'E:\\'";

 private:
  bool publisherExisted_ = false;
  bool gameExisted_ = false;
  std::optional<regtest::StoredValue> previous_;
};

TEST_F(GameDriveTest, WriteCreatesTheGameKeysAndStoresTheDriveRoot) {
  regtest::DeleteTree(HKEY_LOCAL_MACHINE, kPublisherKey);
  cRegistry registry = GameDrive();

  registry.Value("E:\\");

  EXPECT_TRUE(regtest::KeyPresent(HKEY_LOCAL_MACHINE, "Software\\EA SPORTS\\FIFA 2001"));
  const auto stored = regtest::ReadValue(HKEY_LOCAL_MACHINE, kGameKey, kDriveValue);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, DWORD{REG_SZ});
  EXPECT_EQ(stored->data, "E:\\\0"s);
  EXPECT_EQ(seam_.Calls(Call::CreateKey).at(0).key, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(seam_.Calls(Call::CreateKey).at(0).name, kGameKey);
}

TEST_F(GameDriveTest, LaterDiscReplacesTheEarlierDrive) {
  GameDrive().Value("D:\\");
  GameDrive().Value("E:\\");
  EXPECT_EQ(regtest::ReadValue(HKEY_LOCAL_MACHINE, kGameKey, kDriveValue)->data, "E:\\\0"s);
  EXPECT_EQ(GameDrive().Value(), Variant("E:\\"));
}

TEST_F(GameDriveTest, RefusedWriteCarriesTheFullDescription) {
  const std::string source = platform::ProgramName() + ".cRegistry";
  EXPECT_EQ(source, "registry_values_test.cRegistry");
  const struct {
    const char* what;
    Call refused;
    std::int32_t number;
    int keysOpened;
  } cases[] = {
      {"value refused after the key is open", Call::SetValue, -2147194455, 1},
      {"key refused", Call::CreateKey, 26001, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    seam_.Refuse(c.refused, ERROR_ACCESS_DENIED);
    cRegistry registry = GameDrive();
    const auto before = regtest::PropertiesOf(registry);

    EXPECT_EQ(RaisedBy([&] { registry.Value("E:\\"); }),
              (Raised{c.number, source, kRefusedDescription}));

    EXPECT_EQ(regtest::PropertiesOf(registry), before);
    EXPECT_EQ(seam_.KeysOpened(), c.keysOpened);
    EXPECT_EQ(seam_.KeysOpen(), 0);
  }
}

}  // namespace
