// Text that needs two bytes per character: this test exe runs with the Japanese system code
// page (932), which Wine takes from the locale that CTest gives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/cRegistry.h"
#include "registry/tests/support/properties.h"
#include "registry/tests/support/registry_seam.h"
#include "registry/tests/support/scratch_key.h"

namespace {

using namespace std::string_literals;

// In code page 932: "テスト" (3 characters, 6 bytes), "日本語" (3 characters, 6 bytes), "あ".
const std::string kTest = "\x83\x65\x83\x58\x83\x67";
const std::string kJapanese = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kA = "\x82\xA0";

class MultibyteTest : public regtest::SeamTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u) << "the test needs the Japanese code page (LC_ALL=ja_JP.UTF-8)";
  }
  cRegistry Addressing(const std::string& name) const {
    cRegistry registry;
    registry.ClassKey(RegistryRootKey::CurrentUser);
    registry.SectionKey(scratch_.Path());
    registry.ValueKey(name);
    return registry;
  }

  regtest::ScratchKey scratch_;
};

TEST_F(MultibyteTest, TextIsStoredWholeAndReadBackWhole) {
  const struct {
    const char* what;
    std::string name;
    std::string text;
  } cases[] = {
      {"double-byte text", "v", kTest},
      {"double-byte name", kJapanese, "E:\\"},
      {"mixed text", "mixed", "C:\\" + kJapanese + "\\" + kTest + ".exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry = Addressing(c.name);
    registry.ValueType(RegistryValueType::String);

    registry.Value(c.text);

    const auto stored = regtest::ReadValue(HKEY_CURRENT_USER, scratch_.Path(), c.name);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, c.text + '\0');
    EXPECT_EQ(registry.Value(), Variant(c.text));
  }
}

TEST_F(MultibyteTest, ExpansionToDoubleByteTextIsReadWhole) {
  SetEnvironmentVariableA("DISCPILOT_JP", kTest.c_str());
  regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path(), "v", REG_EXPAND_SZ,
                      "%DISCPILOT_JP%\\" + kJapanese + '\0');
  EXPECT_EQ(Addressing("v").Value(), Variant(kTest + "\\" + kJapanese));
}

TEST_F(MultibyteTest, DoubleByteNamesThatFitAreListedWhole) {
  const std::vector<std::string> names = {kJapanese, kJapanese + kTest};
  for (const std::string& name : names) {
    regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path(), name, REG_SZ, "x\0"s);
  }
  // The longest double-byte subkey name that fits the 255-byte name buffer with its terminator.
  std::string longest;
  for (int i = 0; i < 127; ++i) longest += kA;
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path(), longest);
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path(kJapanese));

  cRegistry registry = Addressing("");
  std::vector<std::string> values, sections;
  std::int32_t valueCount = 0, sectionCount = 0;
  registry.EnumerateValues(values, valueCount);
  registry.EnumerateSections(sections, sectionCount);

  EXPECT_EQ(values, regtest::ValueNames(HKEY_CURRENT_USER, scratch_.Path()));
  EXPECT_EQ(valueCount, 2);
  EXPECT_EQ(sections, regtest::SubkeyNames(HKEY_CURRENT_USER, scratch_.Path()));
  EXPECT_EQ(sectionCount, 2);
}

}  // namespace
