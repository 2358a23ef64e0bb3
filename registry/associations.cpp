// Registering a file type with the shell: every value is the unnamed value of its key, written
// below HKEY_CLASSES_ROOT and again below HKEY_LOCAL_MACHINE "SOFTWARE\Classes\".
#include "registry/cRegistry.h"
#include "registry/errors.h"
#include "registry/text.h"

namespace {

// The program path with the spaces around it removed and one double quote at each end.
std::string QuotedProgramPath(const std::string& exePath) {
  const auto first = exePath.find_first_not_of(' ');
  std::string path = first == std::string::npos
                         ? std::string()
                         : exePath.substr(first, exePath.find_last_not_of(' ') - first + 1);
  const bool opens = !path.empty() && path.front() == '"';
  const bool closes = !path.empty() && path.back() == '"';
  if (!opens) path.insert(0, 1, '"');
  if (!closes) path += '"';
  return path;
}

std::string OrDefault(const std::string& text, const std::string& fallback) {
  return text.empty() ? fallback : text;
}

}  // namespace

void cRegistry::SetClassesValue(const std::string& text) {
  ClassKey(RegistryRootKey::ClassesRoot);
  Value(text);
  const std::string section = SectionKey();
  ClassKey(RegistryRootKey::LocalMachine);
  SectionKey("SOFTWARE\\Classes\\" + section);
  Value(text);
  SectionKey(section);
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription,
                                     const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText,
                                     std::int32_t lDefaultIconIndex) {
  const std::string program = QuotedProgramPath(sExePath);
  const auto writeVerb = [&](const std::string& verb, const std::string& menuText,
                             const std::string& commandTail) {
    SectionKey(sClassName + "\\shell\\" + verb);
    ValueKey("");
    SetClassesValue(menuText);
    SectionKey(sClassName + "\\shell\\" + verb + "\\command");
    ValueKey("");
    SetClassesValue(program + commandTail);
  };

  SectionKey("." + sAssociation);
  ValueType(RegistryValueType::String);
  ValueKey("");
  SetClassesValue(sClassName);

  SectionKey(sClassName);
  SetClassesValue(sClassDescription);

  writeVerb("open", OrDefault(sOpenMenuText, "&Open"), " \"%1\"");
  if (bSupportPrint) writeVerb("print", OrDefault(sPrintMenuText, "&Print"), " /p \"%1\"");
  if (bSupportInstall) {
    writeVerb("add", OrDefault(sInstallMenuText, "&Install " + sAssociation), " /a \"%1\"");
  }
  if (bSupportNew) writeVerb("new", OrDefault(sNewMenuText, "&New"), " /n \"%1\"");

  if (lDefaultIconIndex > -1) {
    SectionKey(sClassName + "\\DefaultIcon");
    ValueKey("");
    SetClassesValue(program + "," + std::to_string(lDefaultIconIndex));
  }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                const std::vector<Variant>& vItems) {
  if (vItems.size() % 3 != 0) {
    registry::RaiseClassError(
        registry::kInvalidAssociationItems,
        "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
        "Name/Text/Command");
  }
  SectionKey(sClassName);
  if (!KeyExists()) {
    registry::RaiseClassError(
        registry::kAssociationClassMissing,
        "Error - attempt to create additional associations before class defined.");
  }

  // A write that fails is passed over and the next one is still made; the caller is not told.
  const auto writeItem = [this](const Variant& item) {
    try {
      SetClassesValue(registry::ToText(item));
    } catch (const RaisedError&) {
    }
  };
  for (std::size_t i = 0; i + 2 < vItems.size(); i += 3) {
    ValueType(RegistryValueType::String);
    std::string verbKey;
    try {
      verbKey = sClassName + "\\shell\\" + registry::ToText(vItems[i]);
    } catch (const RaisedError&) {
      continue;  // a verb without a name has no keys of its own: skip its text and command
    }
    SectionKey(verbKey);
    ValueKey("");
    writeItem(vItems[i + 1]);
    SectionKey(verbKey + "\\command");
    ValueKey("");
    writeItem(vItems[i + 2]);
  }
}
