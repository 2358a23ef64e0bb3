// Testing, creating and deleting keys and deleting values, against the real registry.
#include <gtest/gtest.h>

#include <string>

#include "platform/app.h"
#include "registry/cRegistry.h"
#include "registry/tests/support/properties.h"
#include "registry/tests/support/registry_seam.h"
#include "registry/tests/support/scratch_key.h"

namespace {

using regtest::KeyPresent;
using regtest::PropertiesOf;
using regtest::Raised;
using regtest::RaisedBy;
using Call = regtest::RegistrySeam::Call;
using namespace std::string_literals;

class KeyTest : public regtest::SeamTest {
 protected:
  cRegistry Addressing(const std::string& below) const {
    cRegistry registry;
    registry.ClassKey(RegistryRootKey::CurrentUser);
    registry.SectionKey(below.empty() ? scratch_.Path() : scratch_.Path(below));
    registry.ValueType(RegistryValueType::Binary);
    registry.Default(std::int32_t{5});
    registry.ValueKey("v");
    return registry;
  }
  bool Present(const std::string& below) const {
    return KeyPresent(HKEY_CURRENT_USER, scratch_.Path(below));
  }
  std::string Source() const { return platform::ProgramName() + ".cRegistry"; }

  regtest::ScratchKey scratch_;
};

TEST_F(KeyTest, KeyExistsWhenTheKeyOpensForQuerying) {
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path("there"));
  const struct {
    const char* what;
    RegistryRootKey root;
    std::string below;
    bool refused;  // the registry refuses the querying right (Wine grants every right)
    bool exists;
  } cases[] = {
      {"existing key", RegistryRootKey::CurrentUser, "there", false, true},
      {"with a trailing backslash", RegistryRootKey::CurrentUser, "there\\", false, true},
      {"missing key", RegistryRootKey::CurrentUser, "missing", false, false},
      {"key that refuses querying", RegistryRootKey::CurrentUser, "there", true, false},
      {"ClassKey never set", RegistryRootKey{0}, "there", false, false},
      {"not a root", RegistryRootKey{0x12345}, "there", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    if (c.refused) seam_.Refuse(Call::OpenKey, ERROR_ACCESS_DENIED);
    cRegistry registry = Addressing(c.below);
    registry.ClassKey(c.root);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(registry.KeyExists(), c.exists);

    EXPECT_EQ(PropertiesOf(registry), before);
    ASSERT_EQ(seam_.Calls(Call::OpenKey).size(), 1u);
    EXPECT_EQ(seam_.Calls(Call::OpenKey)[0].access, REGSAM{KEY_QUERY_VALUE});
    EXPECT_EQ(seam_.KeysOpen(), 0);
  }
}

TEST_F(KeyTest, KeyExistsForTheRootItself) {
  cRegistry registry;
  registry.ClassKey(RegistryRootKey::CurrentUser);
  EXPECT_TRUE(registry.KeyExists());
}

TEST_F(KeyTest, CreateKeyMakesEveryMissingKeyAlongThePath) {
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path("A"));
  cRegistry registry = Addressing("A\\B\\C");
  const auto before = PropertiesOf(registry);

  EXPECT_TRUE(registry.CreateKey());

  EXPECT_TRUE(Present("A\\B"));
  EXPECT_TRUE(Present("A\\B\\C"));
  EXPECT_EQ(PropertiesOf(registry), before);
  const auto creates = seam_.Calls(Call::CreateKey);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].access, REGSAM{0x3F});
  EXPECT_EQ(creates[0].options, DWORD{REG_OPTION_NON_VOLATILE});
  EXPECT_EQ(creates[0].keyClass, "");
  ASSERT_TRUE(creates[0].hasSecurity);
  EXPECT_EQ(creates[0].security.nLength, 0u);
  EXPECT_EQ(creates[0].security.lpSecurityDescriptor, nullptr);
  EXPECT_FALSE(creates[0].security.bInheritHandle);
}

TEST_F(KeyTest, CreateKeyOfAnExistingKeyChangesNothingInIt) {
  regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path("A"), "kept", REG_SZ, "x\0"s);
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path("A\\child"));

  EXPECT_TRUE(Addressing("A").CreateKey());

  EXPECT_EQ(regtest::ReadValue(HKEY_CURRENT_USER, scratch_.Path("A"), "kept")->data, "x\0"s);
  EXPECT_EQ(regtest::ValueNames(HKEY_CURRENT_USER, scratch_.Path("A")).size(), 1u);
  EXPECT_TRUE(Present("A\\child"));
}

TEST_F(KeyTest, CreateKeyThatCannotBeMadeRaises) {
  HKEY volatileKey = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.Path("volatile").c_str(), 0, nullptr,
                            REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatileKey);
  const struct {
    const char* what;
    RegistryRootKey root;
    std::string below;
  } cases[] = {
      {"lasting key below a volatile one", RegistryRootKey::CurrentUser, "volatile\\lasting"},
      {"ClassKey never set", RegistryRootKey{0}, "x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry = Addressing(c.below);
    registry.ClassKey(c.root);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(
        RaisedBy([&] { registry.CreateKey(); }),
        (Raised{26001, Source(), "Failed to create registry Key: '" + scratch_.Path(c.below)}));

    EXPECT_EQ(PropertiesOf(registry), before);
    EXPECT_FALSE(Present(c.below));
  }
}

TEST_F(KeyTest, DeleteKeyRemovesTheKeyAndNothingElse) {
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path("A\\B"));
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path("A\\Sibling"));
  cRegistry registry = Addressing("A\\B");
  const auto before = PropertiesOf(registry);

  EXPECT_TRUE(registry.DeleteKey());

  EXPECT_FALSE(Present("A\\B"));
  EXPECT_TRUE(Present("A\\Sibling"));
  EXPECT_EQ(PropertiesOf(registry), before);
  EXPECT_EQ(seam_.Calls(Call::DeleteKey).at(0).key, HKEY_CURRENT_USER);
  EXPECT_EQ(seam_.KeysOpened(), 0);
}

TEST_F(KeyTest, DeleteKeyThatCannotGoRaises) {
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path("parent\\child"));
  const struct {
    const char* what;
    std::string below;
  } cases[] = {
      {"missing key", "missing"},
      {"key with a subkey", "parent"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry = Addressing(c.below);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(RaisedBy([&] { registry.DeleteKey(); }),
              (Raised{26001, Source(),
                      "Failed to delete registry Key: '-2147483647',Section: '" +
                          scratch_.Path(c.below)}));

    EXPECT_EQ(PropertiesOf(registry), before);
  }
  EXPECT_TRUE(Present("parent\\child"));
}

TEST_F(KeyTest, DeleteKeyOfTheGameKeyDescribesRootAndPath) {
  seam_.Refuse(Call::DeleteKey, ERROR_ACCESS_DENIED);
  cRegistry registry;
  registry.ClassKey(RegistryRootKey::LocalMachine);
  registry.SectionKey("Software\\EA SPORTS\\FIFA 2001\\");
  EXPECT_EQ(
      RaisedBy([&] { registry.DeleteKey(); }).description,
      "Failed to delete registry Key: '-2147483646',Section: 'Software\\EA SPORTS\\FIFA 2001\\");
}

TEST_F(KeyTest, DeleteValueRemovesOnlyTheNamedValue) {
  const struct {
    const char* what;
    std::string name;
    std::string other;
  } cases[] = {
      {"named value", "v", ""},
      {"empty ValueKey removes the unnamed value", "", "v"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path(), c.name, REG_SZ, "gone\0"s);
    regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path(), c.other, REG_SZ, "kept\0"s);
    cRegistry registry = Addressing("");
    registry.ValueKey(c.name);
    const auto before = PropertiesOf(registry);

    EXPECT_TRUE(registry.DeleteValue());

    EXPECT_FALSE(regtest::ReadValue(HKEY_CURRENT_USER, scratch_.Path(), c.name));
    EXPECT_TRUE(regtest::ReadValue(HKEY_CURRENT_USER, scratch_.Path(), c.other));
    EXPECT_EQ(PropertiesOf(registry), before);
    EXPECT_EQ(seam_.Calls(Call::OpenKey).at(0).access, REGSAM{0x3F});
    EXPECT_EQ(seam_.Calls(Call::DeleteValue).at(0).name, c.name);
  }
}

TEST_F(KeyTest, DeleteValueThatCannotGoRaises) {
  const std::string where = "-2147483647',Section: '";
  const struct {
    const char* what;
    std::string below;
    bool refused;  // the registry refuses the rights asked (Wine grants every right)
    std::string description;
  } cases[] = {
      {"missing value", "", false,
       "Failed to delete registry Key: '" + where + scratch_.Path() + "',Key: 'v"},
      {"missing key", "missing", false,
       "Failed to open key '" + where + scratch_.Path("missing") + "' for delete access"},
      {"key that refuses the rights asked", "", true,
       "Failed to open key '" + where + scratch_.Path() + "' for delete access"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    if (c.refused) seam_.Refuse(Call::OpenKey, ERROR_ACCESS_DENIED);
    cRegistry registry = Addressing(c.below);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(RaisedBy([&] { registry.DeleteValue(); }), (Raised{26001, Source(), c.description}));

    EXPECT_EQ(PropertiesOf(registry), before);
    EXPECT_EQ(seam_.KeysOpen(), 0);
  }
}

}  // namespace
