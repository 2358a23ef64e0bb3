// Listing value and subkey names, against the real registry.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/app.h"
#include "registry/cRegistry.h"
#include "registry/tests/support/properties.h"
#include "registry/tests/support/registry_seam.h"
#include "registry/tests/support/scratch_key.h"

namespace {

using regtest::PropertiesOf;
using regtest::RegistrySeam;
using Call = RegistrySeam::Call;
using Names = std::vector<std::string>;
using namespace std::string_literals;

constexpr std::int32_t kEnumerateSectionsFailed = -2147194454;  // 0x800469AA

class EnumerationTest : public regtest::SeamTest {
 protected:
  cRegistry Addressing(const std::string& below = "") const {
    cRegistry registry;
    registry.ClassKey(RegistryRootKey::CurrentUser);
    registry.SectionKey(below.empty() ? scratch_.Path() : scratch_.Path(below));
    registry.ValueKey("unused");
    registry.ValueType(RegistryValueType::DWord);
    registry.Default("unused");
    return registry;
  }
  void AddValue(const std::string& name) const {
    regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path(), name, REG_SZ, "x\0"s);
  }
  void AddSubkey(const std::string& name) const {
    regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path(name));
  }

  // Both lists of the object's key, checking that neither changes a property.
  struct Listing {
    bool valuesResult = false;
    Names values{"stale"};
    std::int32_t valueCount = -1;
    bool sectionsResult = false;
    Names sections{"stale", "stale"};
    std::int32_t sectionCount = -1;
  };
  Listing List(cRegistry registry) const {
    const auto before = PropertiesOf(registry);
    Listing l;
    l.valuesResult = registry.EnumerateValues(l.values, l.valueCount);
    l.sectionsResult = registry.EnumerateSections(l.sections, l.sectionCount);
    EXPECT_EQ(PropertiesOf(registry), before);
    return l;
  }

  regtest::ScratchKey scratch_;
};

TEST_F(EnumerationTest, NothingToListGivesEmptyListsAndTrue) {
  const struct {
    const char* what;
    RegistryRootKey root;
    std::string below;
  } cases[] = {
      {"empty key", RegistryRootKey::CurrentUser, ""},
      {"missing key", RegistryRootKey::CurrentUser, "missing"},
      {"ClassKey never set", RegistryRootKey{0}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry = Addressing(c.below);
    registry.ClassKey(c.root);
    const Listing l = List(registry);
    EXPECT_TRUE(l.valuesResult);
    EXPECT_EQ(l.valueCount, 0);
    EXPECT_EQ(l.values, Names{});
    EXPECT_TRUE(l.sectionsResult);
    EXPECT_EQ(l.sectionCount, 0);
    EXPECT_EQ(l.sections, Names{});
  }
}

TEST_F(EnumerationTest, ValueNamesComeWholeInThePlatformsOrder) {
  for (const char* name : {"a", "bb", "ccc", ""}) AddValue(name);
  AddSubkey("not a value");

  const Listing l = List(Addressing());

  EXPECT_TRUE(l.valuesResult);
  EXPECT_EQ(l.valueCount, 4);
  EXPECT_EQ(l.values, regtest::ValueNames(HKEY_CURRENT_USER, scratch_.Path()));
  EXPECT_EQ(std::count(l.values.begin(), l.values.end(), ""), 1);
  EXPECT_EQ(std::count(l.values.begin(), l.values.end(), "ccc"), 1);
}

TEST_F(EnumerationTest, ValueListAsksForNamesOnlyInABufferOfTheLongestName) {
  for (const char* name : {"a", "bb", "ccc"}) AddValue(name);
  Names names;
  std::int32_t count = 0;
  Addressing().EnumerateValues(names, count);

  EXPECT_EQ(seam_.Calls(Call::OpenKey).at(0).access, REGSAM{KEY_QUERY_VALUE});
  const auto enums = seam_.Calls(Call::EnumValue);
  ASSERT_EQ(enums.size(), 4u);  // three names, then the end of the list
  for (const auto& call : enums) {
    EXPECT_EQ(call.capacity, 4u);
    EXPECT_FALSE(call.wantsData);
  }
  EXPECT_EQ(enums.back().result, ERROR_NO_MORE_ITEMS);
}

TEST_F(EnumerationTest, SubkeyNamesComeInThePlatformsOrder) {
  for (const char* name : {"one", "two", "three"}) AddSubkey(name);
  AddValue("not a key");

  const Listing l = List(Addressing());

  EXPECT_TRUE(l.sectionsResult);
  EXPECT_EQ(l.sectionCount, 3);
  EXPECT_EQ(l.sections, regtest::SubkeyNames(HKEY_CURRENT_USER, scratch_.Path()));
  EXPECT_EQ(seam_.Calls(Call::OpenKey).back().access, REGSAM{KEY_ENUMERATE_SUB_KEYS});
}

TEST_F(EnumerationTest, SubkeyOfTheLongestNameEndsTheListWithTheNamesBeforeIt) {
  // The registry's longest name, made through the scratch key's handle: Wine refuses a path
  // of more than 260 characters.
  const std::string longest(255, 'k');
  AddSubkey("a");
  regtest::MakeKey(HKEY_CURRENT_USER, scratch_.Path(), longest);
  AddSubkey("z");
  const Names all = regtest::SubkeyNames(HKEY_CURRENT_USER, scratch_.Path());
  const auto at = std::find(all.begin(), all.end(), longest);
  ASSERT_NE(at, all.end());
  ASSERT_NE(at, all.begin()) << "the test needs a name listed before the long one";
  // Windows reports ERROR_MORE_DATA for a name that fills the 255-character buffer without
  // room for its terminator; Wine hands it over unterminated, so the seam answers as Windows.
  const auto index = static_cast<DWORD>(at - all.begin());
  seam_.Refuse(Call::EnumKey, ERROR_MORE_DATA, RegistrySeam::AtIndex(index));

  const Listing l = List(Addressing());

  EXPECT_TRUE(l.sectionsResult);
  EXPECT_EQ(l.sections, Names(all.begin(), at));
  EXPECT_EQ(l.sectionCount, static_cast<std::int32_t>(index));
  EXPECT_EQ(seam_.Calls(Call::EnumKey).back().capacity, 255u);
}

TEST_F(EnumerationTest, EmptySectionKeyListsTheRoot) {
  cRegistry registry;
  registry.ClassKey(RegistryRootKey::CurrentUser);
  const Listing l = List(registry);
  EXPECT_EQ(l.sections, regtest::SubkeyNames(HKEY_CURRENT_USER, ""));
  EXPECT_NE(std::find(l.sections.begin(), l.sections.end(), "Software"), l.sections.end());
  EXPECT_EQ(l.values, regtest::ValueNames(HKEY_CURRENT_USER, ""));
}

TEST_F(EnumerationTest, RegistryFailingPartWayKeepsTheNamesBefore) {
  for (const char* name : {"a", "bb", "ccc"}) AddValue(name);
  for (const char* name : {"one", "two", "three"}) AddSubkey(name);
  const Names values = regtest::ValueNames(HKEY_CURRENT_USER, scratch_.Path());
  const Names sections = regtest::SubkeyNames(HKEY_CURRENT_USER, scratch_.Path());
  const struct {
    const char* what;
    Call refused;
    RegistrySeam::Condition when;
    Names values;
    Names sections;
  } cases[] = {
      {"size query refused", Call::QueryInfoKey, {}, {}, sections},
      {"value name refused at index 1",
       Call::EnumValue,
       RegistrySeam::AtIndex(1),
       {values[0]},
       sections},
      {"subkey name refused at index 1",
       Call::EnumKey,
       RegistrySeam::AtIndex(1),
       values,
       {sections[0]}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    seam_.Refuse(c.refused, ERROR_ACCESS_DENIED, c.when);

    const Listing l = List(Addressing());

    EXPECT_TRUE(l.valuesResult);
    EXPECT_EQ(l.values, c.values);
    EXPECT_EQ(l.valueCount, static_cast<std::int32_t>(c.values.size()));
    EXPECT_TRUE(l.sectionsResult);
    EXPECT_EQ(l.sections, c.sections);
    EXPECT_EQ(l.sectionCount, static_cast<std::int32_t>(c.sections.size()));
    EXPECT_EQ(seam_.KeysOpen(), 0);
  }
}

TEST_F(EnumerationTest, ValueNameLongerThanReportedIsStillListed) {
  // A system that counts characters where a name needs more bytes, or a value added while the
  // list is read, gives a longest length that is too short for some name.
  for (const char* name : {"a", "bb", "ccc"}) AddValue(name);
  seam_.UnderReportLongestName(1);
  Names names;
  std::int32_t count = 0;
  EXPECT_TRUE(Addressing().EnumerateValues(names, count));
  EXPECT_EQ(names, regtest::ValueNames(HKEY_CURRENT_USER, scratch_.Path()));
  EXPECT_EQ(count, 3);
}

TEST_F(EnumerationTest, FailureWhileListingSubkeysIsRaisedWithItsDescription) {
  for (const char* name : {"one", "two"}) AddSubkey(name);
  const std::string first = regtest::SubkeyNames(HKEY_CURRENT_USER, scratch_.Path()).at(0);
  const struct {
    const char* what;
    std::exception_ptr error;
    std::string description;
  } cases[] = {
      {"out of memory", std::make_exception_ptr(std::bad_alloc()), "Out of memory"},
      {"raised error", std::make_exception_ptr(RaisedError(7, "elsewhere", "Out of memory")),
       "Out of memory"},
      {"other failure", std::make_exception_ptr(std::runtime_error("lost")), "lost"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    seam_.Throw(Call::EnumKey, c.error, RegistrySeam::AtIndex(1));
    Names names{"stale"};
    std::int32_t count = -1;

    EXPECT_EQ(regtest::RaisedBy([&] { Addressing().EnumerateSections(names, count); }),
              (regtest::Raised{kEnumerateSectionsFailed, platform::ProgramName() + ".cRegistry",
                               c.description}));

    EXPECT_EQ(names, Names{first});
    EXPECT_EQ(count, 1);
    EXPECT_EQ(seam_.KeysOpen(), 0);
  }
}

TEST_F(EnumerationTest, FailureWhileListingValuesPassesUnchanged) {
  for (const char* name : {"a", "bb"}) AddValue(name);
  seam_.Throw(Call::EnumValue, std::make_exception_ptr(std::bad_alloc()), RegistrySeam::AtIndex(1));
  Names names;
  std::int32_t count = 0;
  EXPECT_THROW(Addressing().EnumerateValues(names, count), std::bad_alloc);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(seam_.KeysOpen(), 0);
}

}  // namespace
