// Reading and writing Value against the real registry, in a scratch key below HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <string>

#include "platform/app.h"
#include "registry/cRegistry.h"
#include "registry/tests/support/properties.h"
#include "registry/tests/support/registry_seam.h"
#include "registry/tests/support/scratch_key.h"

namespace {

using regtest::PropertiesOf;
using regtest::Raised;
using regtest::RaisedBy;
using regtest::ReadValue;
using Call = regtest::RegistrySeam::Call;
using Type = RegistryValueType;
using namespace std::string_literals;

constexpr std::int32_t kSetValueFailed = -2147194455;  // 0x800469A9

class ValueTest : public regtest::SeamTest {
 protected:
  // An object addressing the value "v" in the scratch key.
  cRegistry Addressing(const std::string& name = "v") const {
    cRegistry registry;
    registry.ClassKey(RegistryRootKey::CurrentUser);
    registry.SectionKey(scratch_.Path());
    registry.ValueKey(name);
    return registry;
  }
  std::optional<regtest::StoredValue> Stored(const std::string& name = "v") const {
    return ReadValue(HKEY_CURRENT_USER, scratch_.Path(), name);
  }
  void Store(DWORD type, const std::string& data, const std::string& name = "v") const {
    regtest::WriteValue(HKEY_CURRENT_USER, scratch_.Path(), name, type, data);
  }
  // The description of a refused write of `value` to the scratch key's "v".
  std::string SetFailure(const std::string& value) const {
    return "Failed to set registry value Key: '-2147483647',Section: '" + scratch_.Path() +
           "',Key: 'v' to value: '" + value + "'";
  }

  regtest::ScratchKey scratch_;
};

// ---- Reading ----

struct ReadCase {
  const char* what;
  DWORD storedType;
  std::string stored;
  Variant expected;
};

TEST_F(ValueTest, ReadGivesEachStoredTypeInItsOwnForm) {
  SetEnvironmentVariableA("DISCPILOT_GAMES", "C:\\Games");
  const ReadCase cases[] = {
      {"drive root with its NUL", REG_SZ, "E:\\\0"s, "E:\\"},
      {"string of its NUL alone", REG_SZ, "\0"s, ""},
      {"string with bytes above 127", REG_SZ, "caf\xE9\0"s, "caf\xE9"},
      {"multi-string keeps its separators", REG_MULTI_SZ, "a\0b\0\0"s, "a\0b\0"s},
      {"expandable string", REG_EXPAND_SZ, "%DISCPILOT_GAMES%\\x\0"s, "C:\\Games\\x"},
      {"expandable string without references", REG_EXPAND_SZ, "C:\\x\0"s, "C:\\x"},
      {"expandable string with an unknown reference", REG_EXPAND_SZ, "%NO_SUCH_VAR_X%\0"s,
       "%NO_SUCH_VAR_X%"},
      {"dword", REG_DWORD, "\x78\x56\x34\x12"s, std::int32_t{0x12345678}},
      {"negative dword", REG_DWORD, "\xFF\xFF\xFF\xFF"s, std::int32_t{-1}},
      {"big-endian dword", REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x00"s, std::int32_t{256}},
      {"big-endian dword reversed byte by byte", REG_DWORD_BIG_ENDIAN, "\x11\x22\x33\x44"s,
       std::int32_t{0x11223344}},
      {"binary", REG_BINARY, "\x00\x7F\xFF"s, ByteArray{0x00, 0x7F, 0xFF}},
      {"binary of no bytes", REG_BINARY, ""s, ByteArray{}},
      {"link", REG_LINK, "ab"s, ByteArray{'a', 'b'}},
      {"type 0", REG_NONE, "\x01\x02"s, ByteArray{1, 2}},
      {"type 11 (qword)", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"s,
       ByteArray{1, 2, 3, 4, 5, 6, 7, 8}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.storedType, c.stored);
    cRegistry registry = Addressing();
    registry.ValueType(Type::Binary);
    registry.Default("unused");
    auto before = PropertiesOf(registry);

    EXPECT_EQ(registry.Value(), c.expected);

    before.valueType = static_cast<Type>(c.storedType);
    EXPECT_EQ(PropertiesOf(registry), before);
  }
}

TEST_F(ValueTest, TextValueOfNoBytesRaisesInvalidArgument) {
  for (const DWORD type : {DWORD{REG_SZ}, DWORD{REG_EXPAND_SZ}, DWORD{REG_MULTI_SZ}}) {
    SCOPED_TRACE(type);
    Store(type, ""s);
    cRegistry registry = Addressing();
    registry.ValueType(Type::Binary);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(RaisedBy([&] { registry.Value(); }),
              (Raised{5, platform::ProgramName(), "Invalid procedure call or argument"}));
    EXPECT_EQ(PropertiesOf(registry), before);
  }
}

TEST_F(ValueTest, LongExpansionIsReadWhole) {
  const std::string long_text(3000, 'g');
  SetEnvironmentVariableA("DISCPILOT_LONG", long_text.c_str());
  Store(REG_EXPAND_SZ, "<%DISCPILOT_LONG%>\0"s);
  EXPECT_EQ(Addressing().Value(), Variant("<" + long_text + ">"));
}

TEST_F(ValueTest, ReadOpensForQueryProbesThenFetchesTheStoredSize) {
  Store(REG_SZ, "E:\\\0"s);
  cRegistry registry = Addressing();
  registry.Value();

  const auto& log = seam_.Log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].call, Call::OpenKey);
  EXPECT_EQ(log[0].key, HKEY_CURRENT_USER);
  EXPECT_EQ(log[0].name, scratch_.Path());
  EXPECT_EQ(log[0].access, REGSAM{KEY_QUERY_VALUE});
  EXPECT_EQ(log[1].call, Call::QueryValue);
  EXPECT_EQ(log[1].capacity, 0u);
  EXPECT_EQ(log[1].result, ERROR_MORE_DATA);
  EXPECT_EQ(log[2].call, Call::QueryValue);
  EXPECT_EQ(log[2].capacity, 4u);
  EXPECT_EQ(log[3].call, Call::CloseKey);
}

struct UnreadableCase {
  const char* what;
  RegistryRootKey root;
  bool makeKey;
  Variant defaultValue;
};

TEST_F(ValueTest, UnreadableValueGivesDefaultAndLeavesValueType) {
  const UnreadableCase cases[] = {
      {"missing value", RegistryRootKey::CurrentUser, true, std::int32_t{7}},
      {"missing value, Default never set", RegistryRootKey::CurrentUser, true, Variant()},
      {"missing key", RegistryRootKey::CurrentUser, false, "fallback"},
      {"ClassKey never set", RegistryRootKey{0}, true, ByteArray{9}},
  };
  for (const UnreadableCase& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry = Addressing();
    registry.ClassKey(c.root);
    if (!c.makeKey) registry.SectionKey(scratch_.Path("missing"));
    registry.ValueType(Type::DWord);
    if (!c.defaultValue.IsEmpty()) registry.Default(c.defaultValue);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(registry.Value(), c.defaultValue);
    EXPECT_EQ(PropertiesOf(registry), before);
  }
}

TEST_F(ValueTest, ProbeRefusedGivesDefaultAndClosesTheKey) {
  Store(REG_SZ, "E:\\\0"s);
  seam_.Refuse(Call::QueryValue, ERROR_ACCESS_DENIED);
  cRegistry registry = Addressing();
  registry.Default("fallback");
  EXPECT_EQ(registry.Value(), Variant("fallback"));
  EXPECT_EQ(registry.ValueType(), Type::None);
  EXPECT_EQ(seam_.KeysOpened(), 1);
}

// ---- Writing ----

struct WriteCase {
  const char* what;
  Type valueType;
  Variant value;
  DWORD storedType;
  std::string stored;
};

TEST_F(ValueTest, WriteStoresEachKindAsItsTypeSays) {
  const WriteCase cases[] = {
      {"drive root", Type::String, "E:\\", REG_SZ, "E:\\\0"s},
      {"environment reference makes REG_EXPAND_SZ", Type::String, "%SystemRoot%\\x", REG_EXPAND_SZ,
       "%SystemRoot%\\x\0"s},
      {"no reference makes REG_SZ although REG_EXPAND_SZ asked", Type::ExpandString, "C:\\x",
       REG_SZ, "C:\\x\0"s},
      {"one percent sign", Type::String, "100%", REG_SZ, "100%\0"s},
      {"two adjacent percent signs", Type::ExpandString, "%%", REG_SZ, "%%\0"s},
      {"adjacent percent signs inside", Type::String, "a%%b", REG_SZ, "a%%b\0"s},
      {"one character between", Type::String, "%a%", REG_EXPAND_SZ, "%a%\0"s},
      {"a later percent sign counts", Type::String, "%%x%", REG_EXPAND_SZ, "%%x%\0"s},
      {"empty value", Type::String, Variant(), REG_SZ, "\0"s},
      {"16-bit integer as text", Type::String, std::int16_t{-5}, REG_SZ, "-5\0"s},
      {"32-bit integer as text", Type::ExpandString, std::int32_t{2147483647}, REG_SZ,
       "2147483647\0"s},
      {"text with bytes above 127, counted in bytes", Type::String, "caf\xE9 \xE0 l\xE0", REG_SZ,
       "caf\xE9 \xE0 l\xE0\0"s},
      {"16-bit -1 widened", Type::DWord, std::int16_t{-1}, REG_DWORD, "\xFF\xFF\xFF\xFF"s},
      {"16-bit -1 as big-endian is stored as REG_DWORD", Type::DWordBigEndian, std::int16_t{-1},
       REG_DWORD, "\xFF\xFF\xFF\xFF"s},
      {"32-bit as big-endian is not reversed", Type::DWordBigEndian, std::int32_t{0x01020304},
       REG_DWORD, "\x04\x03\x02\x01"s},
      {"binary", Type::Binary, ByteArray{0x00, 0x01, 0xFF}, REG_BINARY, "\x00\x01\xFF"s},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry = Addressing();
    registry.ValueType(c.valueType);
    const auto before = PropertiesOf(registry);

    registry.Value(c.value);

    EXPECT_EQ(PropertiesOf(registry), before);
    const auto stored = Stored();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, c.storedType);
    EXPECT_EQ(stored->data, c.stored);
  }
}

TEST_F(ValueTest, NonIntegerWithADWordTypeCreatesTheKeyAndWritesNothing) {
  const Variant values[] = {"12", Variant(), ByteArray{1, 2, 3, 4}};
  for (const Type type : {Type::DWord, Type::DWordBigEndian}) {
    for (const Variant& value : values) {
      SCOPED_TRACE(static_cast<int>(value.kind()));
      regtest::DeleteTree(HKEY_CURRENT_USER, scratch_.Path());
      cRegistry registry = Addressing();
      registry.ValueType(type);

      EXPECT_NO_THROW(registry.Value(value));

      EXPECT_TRUE(regtest::KeyPresent(HKEY_CURRENT_USER, scratch_.Path()));
      EXPECT_FALSE(Stored());
      EXPECT_TRUE(seam_.Calls(Call::SetValue).empty());
    }
  }
}

TEST_F(ValueTest, WrittenValuesReadBackUnchanged) {
  const Variant values[] = {"E:\\",
                            "",
                            std::int32_t{-2},
                            std::int32_t{0x7FFFFFFF},
                            ByteArray{0, 1, 2, 3, 0xFE, 0xFF},
                            std::string(5000, 'x')};
  const Type types[] = {Type::String,         Type::String, Type::DWord,
                        Type::DWordBigEndian, Type::Binary, Type::String};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    SCOPED_TRACE(i);
    cRegistry registry = Addressing();
    registry.ValueType(types[i]);
    registry.Value(values[i]);
    EXPECT_EQ(registry.Value(), values[i]);
  }
}

TEST_F(ValueTest, WriteCreatesTheKeyPathWithTheGivenRights) {
  cRegistry registry = Addressing();
  registry.SectionKey(scratch_.Path("a\\b\\"));
  registry.ValueType(Type::String);
  registry.Value("x");

  EXPECT_TRUE(regtest::KeyPresent(HKEY_CURRENT_USER, scratch_.Path("a\\b")));
  const auto creates = seam_.Calls(Call::CreateKey);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].key, HKEY_CURRENT_USER);
  EXPECT_EQ(creates[0].name, scratch_.Path("a\\b\\"));
  EXPECT_EQ(creates[0].keyClass, "");
  EXPECT_EQ(creates[0].options, DWORD{REG_OPTION_NON_VOLATILE});
  EXPECT_EQ(creates[0].access, REGSAM{0x3F});
  ASSERT_TRUE(creates[0].hasSecurity);
  EXPECT_EQ(creates[0].security.nLength, 0u);
  EXPECT_EQ(creates[0].security.lpSecurityDescriptor, nullptr);
  EXPECT_FALSE(creates[0].security.bInheritHandle);
  const auto sets = seam_.Calls(Call::SetValue);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].data, "x\0"s);
  EXPECT_EQ(seam_.Log().back().call, Call::CloseKey);
}

struct RefusedWriteCase {
  const char* what;
  Type valueType;
  Variant value;
  Raised raised;  // source "class" stands for the class's source, "program" for the program's
};

TEST_F(ValueTest, RefusedWriteRaisesCreatesTheKeyAndStoresNothing) {
  const std::string program = platform::ProgramName();
  const std::string cls = program + ".cRegistry";
  const RefusedWriteCase cases[] = {
      {"ValueType never set", Type::None, "x", {kSetValueFailed, cls, SetFailure("x")}},
      {"REG_LINK", Type::Link, "x", {kSetValueFailed, cls, SetFailure("x")}},
      {"REG_MULTI_SZ", Type::MultiString, std::int32_t{4}, {kSetValueFailed, cls, SetFailure("4")}},
      {"type 8", Type{8}, "x", {kSetValueFailed, cls, SetFailure("x")}},
      {"bytes with an unwritable type are described in hex",
       Type::None,
       ByteArray{0x0A, 0xFF},
       {kSetValueFailed, cls, SetFailure("0A FF")}},
      {"binary from text",
       Type::Binary,
       "x",
       {26001, program, "Application-defined or object-defined error"}},
      {"binary from an integer",
       Type::Binary,
       std::int32_t{1},
       {26001, program, "Application-defined or object-defined error"}},
      {"empty binary", Type::Binary, ByteArray{}, {9, program, "Subscript out of range"}},
      {"text from bytes", Type::String, ByteArray{1}, {13, program, "Type mismatch"}},
  };
  for (const RefusedWriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    regtest::DeleteTree(HKEY_CURRENT_USER, scratch_.Path());
    cRegistry registry = Addressing();
    registry.ValueType(c.valueType);
    const auto before = PropertiesOf(registry);

    EXPECT_EQ(RaisedBy([&] { registry.Value(c.value); }), c.raised);

    EXPECT_EQ(PropertiesOf(registry), before);
    EXPECT_TRUE(regtest::KeyPresent(HKEY_CURRENT_USER, scratch_.Path()));
    EXPECT_FALSE(Stored());
    EXPECT_EQ(seam_.KeysOpen(), 0);
  }
}

TEST_F(ValueTest, WriteWithoutRootRaisesKeyFailure) {
  cRegistry registry = Addressing();
  registry.ClassKey(RegistryRootKey{0});
  registry.ValueType(Type::String);
  EXPECT_EQ(RaisedBy([&] { registry.Value("x"); }),
            (Raised{26001, platform::ProgramName() + ".cRegistry",
                    "Failed to set registry value Key: '0',Section: '" + scratch_.Path() +
                        "',Key: 'v' to value: 'x'"}));
  EXPECT_EQ(seam_.KeysOpened(), 0);
}

TEST_F(ValueTest, KeyTheRegistryWillNotCreateRaisesKeyFailure) {
  // Below a volatile key the registry refuses a lasting subkey (ERROR_CHILD_MUST_BE_VOLATILE).
  HKEY volatileKey = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.Path("volatile").c_str(), 0, nullptr,
                            REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatileKey);

  cRegistry registry = Addressing();
  registry.SectionKey(scratch_.Path("volatile\\lasting"));
  registry.ValueType(Type::String);
  EXPECT_EQ(RaisedBy([&] { registry.Value(std::int16_t{3}); }),
            (Raised{26001, platform::ProgramName() + ".cRegistry",
                    "Failed to set registry value Key: '-2147483647',Section: '" +
                        scratch_.Path("volatile\\lasting") + "',Key: 'v' to value: '3'"}));
  EXPECT_EQ(seam_.Calls(Call::CreateKey).at(0).result, ERROR_CHILD_MUST_BE_VOLATILE);
  EXPECT_FALSE(regtest::KeyPresent(HKEY_CURRENT_USER, scratch_.Path("volatile\\lasting")));
}

TEST_F(ValueTest, RegistryRefusingTheValueRaisesAndClosesTheKey) {
  seam_.Refuse(Call::SetValue, ERROR_ACCESS_DENIED);
  cRegistry registry = Addressing();
  registry.ValueType(Type::DWord);
  EXPECT_EQ(RaisedBy([&] { registry.Value(std::int32_t{-7}); }),
            (Raised{kSetValueFailed, platform::ProgramName() + ".cRegistry", SetFailure("-7")}));
  EXPECT_EQ(seam_.KeysOpened(), 1);
  EXPECT_EQ(seam_.Log().back().call, Call::CloseKey);
}

}  // namespace
