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
  // Values, keys and enumeration.
  bool KeyExists() const;
  bool CreateKey();
  bool DeleteKey();
  bool DeleteValue();
  Variant Value();
  void Value(const Variant& vValue);
  bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
  bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount);

  // File-type associations.
  void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                            const std::string& sClassDescription, const std::string& sAssociation,
                            const std::string& sOpenMenuText = "&Open", bool bSupportPrint = false,
                            const std::string& sPrintMenuText = "&Print", bool bSupportNew = false,
                            const std::string& sNewMenuText = "&New", bool bSupportInstall = false,
                            const std::string& sInstallMenuText = "",
                            std::int32_t lDefaultIconIndex = -1);
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
  void SetClassesValue(const std::string& text);
  static std::int32_t ReverseByteOrder(std::int32_t value);
  static std::string ExpandEnvironmentText(const std::string& text);

  RegistryRootKey classKey_ = static_cast<RegistryRootKey>(0);
  std::string sectionKey_;
  std::string valueKey_;
  Variant default_;
  RegistryValueType valueType_ = RegistryValueType::None;
};
