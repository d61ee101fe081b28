#include "regutil/RegistryEditor.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "regutil/RegTypeNames.h"

namespace zarvic::regutil {
namespace {

// "The value KEY\NAME could not be <done>." and the settings store's own reason.
std::string ValueFailure(const std::string& key, const std::string& name, const char* done,
                         const StoreResult& result) {
  return StringPrintf("The value %s\\%s could not be %s.\n%s\n", key.c_str(), name.c_str(), done,
                      result.error.c_str());
}

}  // namespace

RegistryEditor::RegistryEditor(std::string storePath) : root_(storePath), storePath_(std::move(storePath)) {}

void RegistryEditor::Start() {
  programs_ = GetRegEntries(root_, {}).subkeys;
  // A sorted list, the way the drop-down list sorts: letters without regard to case.
  std::stable_sort(programs_.begin(), programs_.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
  });
  selected_.reset();
  if (!programs_.empty()) selected_ = 0;
  rememberedLine_ = 0;
  ShowEntries();
}

void RegistryEditor::SelectProgram(std::optional<std::size_t> index) {
  selected_ = index && *index < programs_.size() ? index : std::nullopt;
  ShowEntries();
}

std::string RegistryEditor::Program() const {
  return selected_ ? programs_[*selected_] : std::string();
}

void RegistryEditor::ShowEntries() {
  listing_ = selected_ ? MakeListing(ReadProgram(root_, Program())) : Listing{};
  ++listingCount_;
}

bool RegistryEditor::PickLine(std::size_t line) {
  PickResult picked = regutil::PickLine(listing_, line);
  switch (picked.kind) {
    case PickKind::Nothing:
      return false;
    case PickKind::Section:
      fields.section = picked.section;
      fields.name.clear();
      fields.value.clear();
      break;
    case PickKind::Value:
      fields.section = picked.section;
      fields.name = picked.name;
      fields.value = picked.value;
      if (picked.typeIndex) fields.typeIndex = picked.typeIndex;
      break;
    case PickKind::Other:
      break;
  }
  rememberedLine_ = line;
  return true;
}

RegistryStore* RegistryEditor::OpenSection() {
  std::string error;
  RegistryStore* store = root_.Store(error);
  StoreResult found;
  if (store) {
    if (!selected_) {
      found = {StoreStatus::NotFound, "No program is selected."};
    } else {
      found = store->HasSection(Program(), fields.section);
    }
    if (found.ok()) return store;
    error = found.error;
  }
  MessageBoxText(
      StringPrintf("Failed to open key \"%s\"\n%s\n", KeyPath(SectionKey()).c_str(), error.c_str()));
  return nullptr;
}

void RegistryEditor::WriteValue(RegistryStore& store, std::int64_t type, bool adding) {
  ValueData data = ValueFromText(fields.value, type);
  if (!data.error.empty()) {
    MessageBoxText(data.error);
    return;  // the window stays as it was
  }
  if (!data.bytes.empty()) {
    RegistryValue value{fields.name, static_cast<std::uint32_t>(type), std::move(data.bytes)};
    StoreResult written = adding ? store.AddValue(Program(), fields.section, value)
                                 : store.SetValue(Program(), fields.section, value);
    if (written.status == StoreStatus::AlreadyExists) {
      // Another program added it since we looked.
      MessageBoxText(StringPrintf("The value %s\\%s already exists\n", KeyPath(SectionKey()).c_str(),
                                  fields.name.c_str()));
    } else if (!written.ok()) {
      MessageBoxText(ValueFailure(KeyPath(SectionKey()), fields.name, "written", written));
    }
  }
  ShowEntries();
}

void RegistryEditor::Save() {
  if (fields.section.empty() || fields.name.empty() || fields.value.empty()) {
    MessageBoxText("Edit function requires Section, Name, and Value to be specified.");
    return;
  }
  RegistryStore* store = OpenSection();
  if (!store) return;
  // Only the type is wanted here, so a value of any length can be saved over.
  RegistryValue current;
  StoreResult read = store->GetValue(Program(), fields.section, fields.name, current);
  if (!read.ok()) {
    MessageBoxText(ValueFailure(KeyPath(SectionKey()), fields.name, "read", read));
    return;
  }
  std::int64_t type = fields.typeIndex ? RegTypeNames()[*fields.typeIndex].code : std::int64_t{current.type};
  WriteValue(*store, type, false);
}

void RegistryEditor::Add() {
  if (fields.section.empty() || fields.name.empty() || fields.value.empty()) {
    MessageBoxText("Add function requires Section, Name, and Value to be specified.");
    return;
  }
  RegistryStore* store = OpenSection();
  if (!store) return;
  RegistryValue current;
  StoreResult read = store->GetValue(Program(), fields.section, fields.name, current);
  if (read.ok()) {
    MessageBoxText(StringPrintf("The value %s\\%s already exists\n", KeyPath(SectionKey()).c_str(),
                                fields.name.c_str()));
    return;
  }
  if (read.status != StoreStatus::NotFound) {
    MessageBoxText(ValueFailure(KeyPath(SectionKey()), fields.name, "read", read));
    return;
  }
  // With no type chosen the type is REG_NONE, which writes nothing.
  WriteValue(*store, fields.typeIndex ? RegTypeNames()[*fields.typeIndex].code : std::int64_t{kRegNone},
             true);
}

void RegistryEditor::Delete() {
  if (fields.section.empty() || fields.name.empty()) {
    MessageBoxText("Delete function requires Section and Name to be specified.");
    return;
  }
  RegistryStore* store = OpenSection();
  if (!store) return;
  StoreResult deleted = store->DeleteValue(Program(), fields.section, fields.name);
  if (deleted.status == StoreStatus::NotFound) {
    MessageBoxText(StringPrintf("The value %s\\%s does not exist\n", KeyPath(SectionKey()).c_str(),
                                fields.name.c_str()));
    return;
  }
  if (!deleted.ok()) MessageBoxText(ValueFailure(KeyPath(SectionKey()), fields.name, "deleted", deleted));
  ShowEntries();
}

void RegistryEditor::AddSection() {
  if (fields.section.empty()) {
    MessageBoxText("Add Section function requires Section to be specified.");
    return;
  }
  std::string error;
  RegistryStore* store = root_.Store(error);
  StoreResult program;
  if (!store) {
    program = {StoreStatus::Failed, error};
  } else if (!selected_) {
    program = {StoreStatus::NotFound, "No program is selected."};
  } else {
    if (store->HasSection(Program(), fields.section).ok()) {
      MessageBoxText(StringPrintf("Section \"%s\" already exists.", KeyPath(SectionKey()).c_str()));
      return;
    }
    std::vector<std::string> sections;
    program = store->ListSections(Program(), sections);
  }
  if (!program.ok()) {
    MessageBoxText(
        StringPrintf("Failed to open key \"%s\"\n%s\n", KeyPath({Program()}).c_str(), program.error.c_str()));
    return;
  }
  StoreResult added = store->AddSection(Program(), fields.section);
  if (added.status == StoreStatus::AlreadyExists) {
    MessageBoxText(StringPrintf("Section \"%s\" already exists.", KeyPath(SectionKey()).c_str()));
    return;
  }
  if (!added.ok()) {
    MessageBoxText(StringPrintf("Failed to create key \"%s\"\n%s\n", KeyPath(SectionKey()).c_str(),
                                added.error.c_str()));
  }
  ShowEntries();
}

void RegistryEditor::DeleteSection() {
  if (fields.section.empty()) {
    MessageBoxText("Delete Section function requires Section to be specified.");
    return;
  }
  RegistryStore* store = OpenSection();
  if (!store) return;
  std::vector<RegistryValue> values;
  StoreResult counted = store->ListValues(Program(), fields.section, values);
  if (!counted.ok()) {
    MessageBoxText(StringPrintf("Section \"%s\" could not be read.\n%s\n", KeyPath(SectionKey()).c_str(),
                                counted.error.c_str()));
    return;
  }
  if (!values.empty() &&
      MessageBoxText(StringPrintf("Section \"%s\" contains subkeys or values that will also be deleted.\n"
                                  "Do you want to delete it anyway?",
                                  fields.section.c_str()),
                     MessageKind::YesNo) != Answer::Yes) {
    return;
  }
  StoreResult deleted = store->DeleteSection(Program(), fields.section);
  if (!deleted.ok()) {
    MessageBoxText(StringPrintf("Failed to delete key \"%s\"\n%s\n", KeyPath(SectionKey()).c_str(),
                                deleted.error.c_str()));
  }
  ShowEntries();
}

void RegistryEditor::Dump() {
  constexpr int kDumpWrittenId = 21523;
  FileChoice choice;
  choice.save = true;
  choice.title = "Dump to File";
  choice.initialPath = JoinPath(FolderOf(storePath_), kDumpFileName);
  choice.filter = "Text files (*.TXT)|*.txt|All Files (*.*)|*.*||";
  choice.defaultExtension = "txt";
  std::optional<std::string> path = ChooseFileName(choice);
  if (!path || !DumpToFile(*path)) return;
  MessageBoxText(StringPrintfDynamic(std::string(StringText(kDumpWrittenId)).c_str(), path->c_str()));
}

bool RegistryEditor::DumpToFile(const std::string& path) {
  std::string text = selected_ ? DumpText(ReadProgram(root_, Program())) : std::string();
  int error = 0;
  if (!WriteFileAtomically(path, text, &error)) {
    MessageBoxText(
        StringPrintf("The settings could not be written to %s:\n%s", path.c_str(), std::strerror(error)));
    return false;
  }
  return true;
}

}  // namespace zarvic::regutil
