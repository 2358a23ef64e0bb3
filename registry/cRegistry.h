// cRegistry: addresses one registry value at a time. The caller sets the root (ClassKey), the key
// path (SectionKey), the value name (ValueKey) and, for writing, the type (ValueType), then reads
// or writes Value. Every operation opens what it needs and closes it before returning or raising;
// failures are raised as RaisedError. Properties: X() reads, X(value) writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/raised_error.h"
#include "registry/variant.h"

// The registry roots, as the platform's predefined 32-bit root-key handle values.
enum class RegistryRootKey : std::int32_t {
  ClassesRoot = static_cast<std::int32_t>(0x80000000),
  CurrentUser = static_cast<std::int32_t>(0x80000001),
  LocalMachine = static_cast<std::int32_t>(0x80000002),
  Users = static_cast<std::int32_t>(0x80000003),
};

// The registry type codes as cRegistry treats them.
enum class RegistryValueType : std::int32_t {
  None = 0,
  String = 1,          // REG_SZ
  ExpandString = 2,    // REG_EXPAND_SZ
  Binary = 3,          // REG_BINARY
  DWord = 4,           // REG_DWORD
  DWordBigEndian = 5,  // REG_DWORD_BIG_ENDIAN
  Link = 6,            // REG_LINK
  MultiString = 7,     // REG_MULTI_SZ
};

class cRegistry {
 public:
  // Keys and values. KeyExists is true when the key opens for querying and raises nothing; the
  // others return true or raise 26001 (the key cannot be created or deleted, or the value
  // cannot be deleted).
  bool KeyExists() const;
  bool CreateKey();
  bool DeleteKey();
  bool DeleteValue();

  // Reads the value: text (REG_SZ, REG_MULTI_SZ with its NULs, REG_EXPAND_SZ expanded), a
  // 32-bit integer (the two DWORD types) or the bytes (every other type), and sets ValueType to
  // the type found. A value that cannot be read gives a copy of Default and changes nothing; a
  // text value of 0 bytes raises 5.
  Variant Value();
  // Writes the value by ValueType, creating the key path when missing: text as REG_SZ, or as
  // REG_EXPAND_SZ when it holds environment references; integers as REG_DWORD; byte arrays as
  // REG_BINARY. Raises 26001 when the key cannot be created, 0x800469A9 when the value cannot be
  // stored (also for a ValueType that cannot be written), 26001 for a REG_BINARY write of
  // anything but a byte array, 13 for text from an array, 9 for an empty byte array. A DWORD
  // type with a value that is no integer creates the key and writes nothing. Changes no
  // property.
  void Value(const Variant& vValue);

  // List the names of the values, or of the subkeys, directly below the key, in the registry's
  // order: the names fill the vector from its start (whatever it held is dropped) and the count
  // equals its size. A key that cannot be opened gives an empty list; both return true. A
  // subkey name that does not fit 255 characters with its terminator ends the subkey list.
  // EnumerateSections raises 0x800469AA when building the list fails.
  bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
  bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount);

  // File-type associations. Every value is the unnamed value of its key, written below
  // HKEY_CLASSES_ROOT and again below HKEY_LOCAL_MACHINE "SOFTWARE\Classes\", through the
  // properties and Value: afterwards ClassKey is HKEY_LOCAL_MACHINE, SectionKey the last key
  // written, ValueKey empty and ValueType REG_SZ. A menu text passed empty takes its default; an
  // icon index below 0 writes no default icon. A failed write is raised at once.
  void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                            const std::string& sClassDescription, const std::string& sAssociation,
                            const std::string& sOpenMenuText = "&Open", bool bSupportPrint = false,
                            const std::string& sPrintMenuText = "&Print", bool bSupportNew = false,
                            const std::string& sNewMenuText = "&New", bool bSupportInstall = false,
                            const std::string& sInstallMenuText = "",
                            std::int32_t lDefaultIconIndex = -1);
  // Adds verbs to a class registered below the current ClassKey: vItems holds name, menu text
  // and command for each verb. Raises 0x800469AC when the items do not come in threes and
  // 0x800469AD when the class key is missing; a verb that cannot be written (or whose name is
  // no text) is passed over without an error.
  void CreateAdditionalEXEAssociations(const std::string& sClassName,
                                       const std::vector<Variant>& vItems = {});

  // Properties: they only store and return.
  RegistryValueType ValueType() const { return valueType_; }
  void ValueType(RegistryValueType eValueType) { valueType_ = eValueType; }
  RegistryRootKey ClassKey() const { return classKey_; }
  void ClassKey(RegistryRootKey eKey) { classKey_ = eKey; }
  const std::string& SectionKey() const { return sectionKey_; }
  void SectionKey(const std::string& sSectionKey) { sectionKey_ = sSectionKey; }
  const std::string& ValueKey() const { return valueKey_; }
  void ValueKey(const std::string& sValueKey) { valueKey_ = sValueKey; }
  const Variant& Default() const { return default_; }
  void Default(const Variant& vDefault) { default_ = vDefault; }

 private:
  // Writes text to the addressed value below both classes roots.
  void SetClassesValue(const std::string& text);
  static std::int32_t ReverseByteOrder(std::int32_t value);
  static std::string ExpandEnvironmentText(const std::string& text);

  RegistryRootKey classKey_ = static_cast<RegistryRootKey>(0);
  std::string sectionKey_;
  std::string valueKey_;
  Variant default_;
  RegistryValueType valueType_ = RegistryValueType::None;
};
