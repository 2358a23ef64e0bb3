// File-type associations, read back below both HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE
// "SOFTWARE\Classes\". HKEY_CLASSES_ROOT is a merged view: under Wine it shows the machine's
// classes only; on Windows it also shows the user's. The tests check each view, and that nothing
// lands below HKEY_CURRENT_USER "Software\Classes\".
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/app.h"
#include "registry/cRegistry.h"
#include "registry/tests/support/properties.h"
#include "registry/tests/support/registry_seam.h"
#include "registry/tests/support/scratch_key.h"

namespace {

using regtest::PropertiesOf;
using regtest::Raised;
using regtest::RaisedBy;
using regtest::RegistrySeam;
using Call = RegistrySeam::Call;
using namespace std::string_literals;

constexpr char kMachineClasses[] = "SOFTWARE\\Classes\\";
constexpr char kUserClasses[] = "Software\\Classes\\";
constexpr char kViewer[] = "C:\\Tools\\viewer.exe";
constexpr char kQuotedViewer[] = "\"C:\\Tools\\viewer.exe\"";

// One unnamed value expected below the classes roots.
struct Entry {
  std::string key;
  std::string text;
  DWORD type = REG_SZ;
};

class AssociationTest : public regtest::SeamTest {
 protected:
  void SetUp() override { RemoveTestClasses(); }
  void TearDown() override {
    regtest::SeamTest::TearDown();
    RemoveTestClasses();
  }
  static void RemoveTestClasses() {
    for (const char* key : {".xyz", "XyzFile", ".abc", "AbcFile"}) {
      regtest::DeleteTree(HKEY_LOCAL_MACHINE, kMachineClasses + std::string(key));
      regtest::DeleteTree(HKEY_CURRENT_USER, kUserClasses + std::string(key));
      regtest::DeleteTree(HKEY_CLASSES_ROOT, key);
    }
  }

  // Every entry holds its text, as its type, in both views of the classes; none lies below the
  // user's classes.
  static void ExpectEntries(const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
      SCOPED_TRACE(e.key);
      const std::pair<HKEY, std::string> views[] = {{HKEY_CLASSES_ROOT, e.key},
                                                    {HKEY_LOCAL_MACHINE, kMachineClasses + e.key}};
      for (const auto& [root, path] : views) {
        const auto stored = regtest::ReadValue(root, path, "");
        ASSERT_TRUE(stored) << path;
        EXPECT_EQ(stored->type, e.type) << path;
        EXPECT_EQ(stored->data, e.text + '\0') << path;
      }
      EXPECT_FALSE(regtest::KeyPresent(HKEY_CURRENT_USER, kUserClasses + e.key));
    }
  }
  static void ExpectAbsent(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
      EXPECT_FALSE(regtest::KeyPresent(HKEY_CLASSES_ROOT, key)) << key;
      EXPECT_FALSE(regtest::KeyPresent(HKEY_LOCAL_MACHINE, kMachineClasses + key)) << key;
    }
  }
  // The keys that the Value writes created or opened, in order, as root and path.
  std::vector<std::pair<HKEY, std::string>> WrittenKeys() const {
    std::vector<std::pair<HKEY, std::string>> keys;
    for (const auto& call : seam_.Calls(Call::CreateKey)) keys.emplace_back(call.key, call.name);
    return keys;
  }
  static std::string Source() { return platform::ProgramName() + ".cRegistry"; }

  // The state CreateEXEAssociation leaves, with the last key it wrote.
  static regtest::Properties LeftAfterWriting(const std::string& lastKey) {
    return {RegistryRootKey::LocalMachine, lastKey, "", Variant(), RegistryValueType::String};
  }
};

TEST_F(AssociationTest, MinimalAssociationWritesExtensionClassAndOpenVerb) {
  cRegistry registry;
  registry.CreateEXEAssociation(kViewer, "XyzFile", "Xyz document", "xyz");

  ExpectEntries({
      {".xyz", "XyzFile"},
      {"XyzFile", "Xyz document"},
      {"XyzFile\\shell\\open", "&Open"},
      {"XyzFile\\shell\\open\\command", kQuotedViewer + " \"%1\""s},
  });
  ExpectAbsent({"XyzFile\\shell\\print", "XyzFile\\shell\\add", "XyzFile\\shell\\new",
                "XyzFile\\DefaultIcon"});
  EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting("XyzFile\\shell\\open\\command"));
}

TEST_F(AssociationTest, EachValueIsWrittenBelowClassesRootThenBelowTheMachinesClasses) {
  cRegistry registry;
  registry.CreateEXEAssociation(kViewer, "XyzFile", "Xyz document", "xyz");

  const auto R = HKEY_CLASSES_ROOT;
  const auto M = HKEY_LOCAL_MACHINE;
  const std::vector<std::pair<HKEY, std::string>> expected = {
      {R, ".xyz"},
      {M, "SOFTWARE\\Classes\\.xyz"},
      {R, "XyzFile"},
      {M, "SOFTWARE\\Classes\\XyzFile"},
      {R, "XyzFile\\shell\\open"},
      {M, "SOFTWARE\\Classes\\XyzFile\\shell\\open"},
      {R, "XyzFile\\shell\\open\\command"},
      {M, "SOFTWARE\\Classes\\XyzFile\\shell\\open\\command"},
  };
  EXPECT_EQ(WrittenKeys(), expected);
  for (const auto& set : seam_.Calls(Call::SetValue)) EXPECT_EQ(set.name, "");
}

TEST_F(AssociationTest, EveryOptionWritesItsVerbsWithInstallBeforeNew) {
  cRegistry registry;
  registry.CreateEXEAssociation(kViewer, "XyzFile", "Xyz document", "xyz", "View", true, "", true,
                                "Make", true, "", 2);

  const std::string p = kQuotedViewer;
  ExpectEntries({
      {"XyzFile\\shell\\open", "View"},
      {"XyzFile\\shell\\open\\command", p + " \"%1\""},
      {"XyzFile\\shell\\print", "&Print"},
      {"XyzFile\\shell\\print\\command", p + " /p \"%1\""},
      {"XyzFile\\shell\\add", "&Install xyz"},
      {"XyzFile\\shell\\add\\command", p + " /a \"%1\""},
      {"XyzFile\\shell\\new", "Make"},
      {"XyzFile\\shell\\new\\command", p + " /n \"%1\""},
      {"XyzFile\\DefaultIcon", p + ",2"},
  });
  std::vector<std::string> order;
  for (const auto& [root, path] : WrittenKeys()) {
    if (root == HKEY_CLASSES_ROOT) order.push_back(path);
  }
  EXPECT_EQ(order, (std::vector<std::string>{
                       ".xyz", "XyzFile", "XyzFile\\shell\\open", "XyzFile\\shell\\open\\command",
                       "XyzFile\\shell\\print", "XyzFile\\shell\\print\\command",
                       "XyzFile\\shell\\add", "XyzFile\\shell\\add\\command", "XyzFile\\shell\\new",
                       "XyzFile\\shell\\new\\command", "XyzFile\\DefaultIcon"}));
  EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting("XyzFile\\DefaultIcon"));
}

TEST_F(AssociationTest, VariationsOfTheArgumentsWriteWhatTheyShould) {
  const struct {
    const char* what;
    std::string exePath;
    bool print;
    std::string printText;
    bool install;
    std::string installText;
    std::int32_t icon;
    std::vector<Entry> entries;
    std::vector<std::string> absent;
    std::string lastKey;
  } cases[] = {
      {"icon index 0",
       kViewer,
       false,
       "",
       false,
       "",
       0,
       {{"XyzFile\\DefaultIcon", kQuotedViewer + ",0"s}},
       {},
       "XyzFile\\DefaultIcon"},
      {"icon index -1",
       kViewer,
       false,
       "",
       false,
       "",
       -1,
       {},
       {"XyzFile\\DefaultIcon"},
       "XyzFile\\shell\\open\\command"},
      {"other negative icon index",
       kViewer,
       false,
       "",
       false,
       "",
       -7,
       {},
       {"XyzFile\\DefaultIcon"},
       "XyzFile\\shell\\open\\command"},
      {"path already quoted",
       kQuotedViewer,
       false,
       "",
       false,
       "",
       0,
       {{"XyzFile\\shell\\open\\command", kQuotedViewer + " \"%1\""s},
        {"XyzFile\\DefaultIcon", kQuotedViewer + ",0"s}},
       {},
       "XyzFile\\DefaultIcon"},
      {"path with spaces around it",
       "  C:\\Tools\\viewer.exe  ",
       false,
       "",
       false,
       "",
       -1,
       {{"XyzFile\\shell\\open\\command", kQuotedViewer + " \"%1\""s}},
       {},
       "XyzFile\\shell\\open\\command"},
      {"quoted path with spaces around it",
       "  \"C:\\Tools\\viewer.exe\" ",
       false,
       "",
       false,
       "",
       -1,
       {{"XyzFile\\shell\\open\\command", kQuotedViewer + " \"%1\""s}},
       {},
       "XyzFile\\shell\\open\\command"},
      {"install with its default text",
       kViewer,
       false,
       "",
       true,
       "",
       -1,
       {{"XyzFile\\shell\\add", "&Install xyz"},
        {"XyzFile\\shell\\add\\command", kQuotedViewer + " /a \"%1\""s}},
       {"XyzFile\\shell\\print", "XyzFile\\shell\\new"},
       "XyzFile\\shell\\add\\command"},
      {"install and print with their own texts",
       kViewer,
       true,
       "Send to printer",
       true,
       "Add it",
       -1,
       {{"XyzFile\\shell\\print", "Send to printer"},
        {"XyzFile\\shell\\print\\command", kQuotedViewer + " /p \"%1\""s},
        {"XyzFile\\shell\\add", "Add it"}},
       {"XyzFile\\shell\\new"},
       "XyzFile\\shell\\add\\command"},
      {"environment reference in the path",
       "%ProgramFiles%\\Viewer\\viewer.exe",
       false,
       "",
       false,
       "",
       0,
       {{"XyzFile\\shell\\open", "&Open", REG_SZ},
        {"XyzFile\\shell\\open\\command", "\"%ProgramFiles%\\Viewer\\viewer.exe\" \"%1\"",
         REG_EXPAND_SZ},
        {"XyzFile\\DefaultIcon", "\"%ProgramFiles%\\Viewer\\viewer.exe\",0", REG_EXPAND_SZ}},
       {},
       "XyzFile\\DefaultIcon"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveTestClasses();
    cRegistry registry;
    registry.CreateEXEAssociation(c.exePath, "XyzFile", "Xyz document", "xyz", "", c.print,
                                  c.printText, false, "", c.install, c.installText, c.icon);
    ExpectEntries(c.entries);
    ExpectAbsent(c.absent);
    EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting(c.lastKey));
  }
}

TEST_F(AssociationTest, RefusedWriteStopsTheAssociationWhereItFailed) {
  const struct {
    const char* what;
    std::string refusedKey;  // the CreateKey path that the registry refuses
    RegistryRootKey classKey;
    std::string sectionKey;
    std::vector<std::string> written;
    std::vector<std::string> absent;
  } cases[] = {
      {"first write of a value",
       "XyzFile\\shell\\open",
       RegistryRootKey::ClassesRoot,
       "XyzFile\\shell\\open",
       {".xyz", "XyzFile"},
       {"XyzFile\\shell\\open"}},
      {"second write of a value",
       "SOFTWARE\\Classes\\XyzFile\\shell\\open",
       RegistryRootKey::LocalMachine,
       "SOFTWARE\\Classes\\XyzFile\\shell\\open",
       {".xyz", "XyzFile"},
       {"XyzFile\\shell\\open\\command"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveTestClasses();
    seam_.Reset();
    const std::string refused = c.refusedKey;
    seam_.Refuse(Call::CreateKey, ERROR_ACCESS_DENIED,
                 [refused](const RegistrySeam::Record& r) { return r.name == refused; });
    cRegistry registry;

    const Raised raised =
        RaisedBy([&] { registry.CreateEXEAssociation(kViewer, "XyzFile", "Xyz document", "xyz"); });

    EXPECT_EQ(raised.number, 26001);
    EXPECT_EQ(raised.source, Source());
    EXPECT_EQ(registry.ClassKey(), c.classKey);
    EXPECT_EQ(registry.SectionKey(), c.sectionKey);
    for (const std::string& key : c.written)
      EXPECT_TRUE(regtest::KeyPresent(HKEY_CLASSES_ROOT, key));
    ExpectAbsent(c.absent);
  }
}

// ---- Further verbs ----

class AdditionalVerbsTest : public AssociationTest {
 protected:
  void SetUp() override {
    AssociationTest::SetUp();
    cRegistry setup;
    setup.CreateEXEAssociation(kViewer, "XyzFile", "Xyz document", "xyz");
    seam_.Reset();
  }
  static cRegistry OnClassesRoot() {
    cRegistry registry;
    registry.ClassKey(RegistryRootKey::ClassesRoot);
    return registry;
  }
};

TEST_F(AdditionalVerbsTest, PlayVerbIsWrittenBelowBothRoots) {
  cRegistry registry = OnClassesRoot();
  registry.CreateAdditionalEXEAssociations(
      "XyzFile", {"play", "&Play", "\"C:\\Tools\\player.exe\" /play \"%1\""});

  ExpectEntries({{"XyzFile\\shell\\play", "&Play"},
                 {"XyzFile\\shell\\play\\command", "\"C:\\Tools\\player.exe\" /play \"%1\""}});
  EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting("XyzFile\\shell\\play\\command"));
}

TEST_F(AdditionalVerbsTest, ItemsBecomeTextAndCommandsKeepTheirReferences) {
  cRegistry registry = OnClassesRoot();
  registry.CreateAdditionalEXEAssociations(
      "XyzFile", {std::int32_t{2}, std::int16_t{-3}, "%WINDIR%\\notepad.exe %1", "edit", Variant(),
                  "notepad.exe \"%1\""});

  ExpectEntries({{"XyzFile\\shell\\2", "-3"},
                 {"XyzFile\\shell\\2\\command", "%WINDIR%\\notepad.exe %1", REG_EXPAND_SZ},
                 {"XyzFile\\shell\\edit", ""},
                 {"XyzFile\\shell\\edit\\command", "notepad.exe \"%1\""}});
  EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting("XyzFile\\shell\\edit\\command"));
}

TEST_F(AdditionalVerbsTest, NoItemsWriteNothing) {
  cRegistry registry = OnClassesRoot();
  registry.SectionKey("elsewhere");
  registry.ValueType(RegistryValueType::DWord);

  registry.CreateAdditionalEXEAssociations("XyzFile");

  EXPECT_EQ(seam_.Calls(Call::CreateKey).size(), 0u);
  EXPECT_EQ(PropertiesOf(registry), (regtest::Properties{RegistryRootKey::ClassesRoot, "XyzFile",
                                                         "", Variant(), RegistryValueType::DWord}));
}

TEST_F(AdditionalVerbsTest, WrongItemCountOrMissingClassRaisesAndWritesNothing) {
  const std::string missing = "DiscPilotNoSuchFile";
  const struct {
    const char* what;
    std::string className;
    std::vector<Variant> items;
    Raised raised;
    std::string sectionKey;
  } cases[] = {
      {"four items",
       "XyzFile",
       {"play", "&Play", "player.exe", "extra"},
       {-2147194452, Source(),
        "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
        "Name/Text/Command"},
       "before"},
      {"one item",
       "XyzFile",
       {"play"},
       {-2147194452, Source(),
        "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
        "Name/Text/Command"},
       "before"},
      {"class not registered, no items",
       missing,
       {},
       {-2147194451, Source(),
        "Error - attempt to create additional associations before class defined."},
       missing},
      {"class not registered",
       missing,
       {"play", "&Play", "player.exe"},
       {-2147194451, Source(),
        "Error - attempt to create additional associations before class defined."},
       missing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    seam_.Reset();
    cRegistry registry = OnClassesRoot();
    registry.SectionKey("before");
    auto expected = PropertiesOf(registry);
    expected.sectionKey = c.sectionKey;

    EXPECT_EQ(RaisedBy([&] { registry.CreateAdditionalEXEAssociations(c.className, c.items); }),
              c.raised);

    EXPECT_EQ(PropertiesOf(registry), expected);
    EXPECT_EQ(seam_.Calls(Call::CreateKey).size(), 0u);
    ExpectAbsent({"XyzFile\\shell\\play", missing});
  }
}

TEST_F(AdditionalVerbsTest, ClassIsLookedForBelowTheCurrentClassKey) {
  // CreateEXEAssociation leaves ClassKey at HKEY_LOCAL_MACHINE, where no class key lies.
  cRegistry registry;
  registry.CreateEXEAssociation(kViewer, "XyzFile", "Xyz document", "xyz");
  const std::vector<Variant> play = {"play", "&Play", "player.exe"};

  EXPECT_EQ(RaisedBy([&] { registry.CreateAdditionalEXEAssociations("XyzFile", play); }).number,
            -2147194451);
  ExpectAbsent({"XyzFile\\shell\\play"});

  registry.ClassKey(RegistryRootKey::ClassesRoot);
  registry.CreateAdditionalEXEAssociations("XyzFile", play);
  ExpectEntries(
      {{"XyzFile\\shell\\play", "&Play"}, {"XyzFile\\shell\\play\\command", "player.exe"}});
}

TEST_F(AdditionalVerbsTest, TripleThatCannotBeWrittenIsPassedOver) {
  const struct {
    const char* what;
    RegistrySeam::Condition refused;
    std::vector<Entry> entries;
    std::vector<std::string> absent;
  } cases[] = {
      {"verb key refused",
       RegistrySeam::NameContains("shell\\bad"),
       {{"XyzFile\\shell\\good", "&Good"}, {"XyzFile\\shell\\good\\command", "good.exe"}},
       {"XyzFile\\shell\\bad"}},
      {"only the machine's command key refused",
       [](const RegistrySeam::Record& r) {
         return r.name == "SOFTWARE\\Classes\\XyzFile\\shell\\bad\\command";
       },
       {{"XyzFile\\shell\\bad", "&Bad"},
        {"XyzFile\\shell\\good", "&Good"},
        {"XyzFile\\shell\\good\\command", "good.exe"}},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    regtest::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\XyzFile\\shell\\bad");
    regtest::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\XyzFile\\shell\\good");
    seam_.Reset();
    seam_.Refuse(Call::CreateKey, ERROR_ACCESS_DENIED, c.refused);
    cRegistry registry = OnClassesRoot();

    registry.CreateAdditionalEXEAssociations(
        "XyzFile", {"bad", "&Bad", "bad.exe", "good", "&Good", "good.exe"});

    ExpectEntries(c.entries);
    ExpectAbsent(c.absent);
    EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting("XyzFile\\shell\\good\\command"));
  }
}

TEST_F(AdditionalVerbsTest, ItemsWithoutTextAreLeftOut) {
  cRegistry registry = OnClassesRoot();
  registry.CreateAdditionalEXEAssociations(
      "XyzFile", {"first", "&First", "first.exe",             // written
                  ByteArray{1}, "&Nameless", "nameless.exe",  // no name: skipped whole
                  "third", ByteArray{2}, "third.exe"});       // no text: only its command

  ExpectEntries({{"XyzFile\\shell\\first", "&First"},
                 {"XyzFile\\shell\\first\\command", "first.exe"},
                 {"XyzFile\\shell\\third\\command", "third.exe"}});
  EXPECT_EQ(regtest::SubkeyNames(HKEY_CLASSES_ROOT, "XyzFile\\shell"),
            regtest::SubkeyNames(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\XyzFile\\shell"));
  for (const auto& set : seam_.Calls(Call::SetValue)) {
    EXPECT_EQ(set.data.find("Nameless"), std::string::npos);
    EXPECT_EQ(set.data.find("nameless.exe"), std::string::npos);
  }
  EXPECT_FALSE(regtest::ReadValue(HKEY_CLASSES_ROOT, "XyzFile\\shell\\third", ""));
  EXPECT_EQ(PropertiesOf(registry), LeftAfterWriting("XyzFile\\shell\\third\\command"));
}

}  // namespace
