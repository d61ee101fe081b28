#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace zarvic {

// Value type codes, the same numbers the registry of the program's first platform used, so that the
// registry utility can show and edit them by those names. Codes the store does not know are kept as
// they are, with their bytes.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegString = 1;  // REG_SZ: text, stored without a terminating NUL
inline constexpr std::uint32_t kRegExpandString = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;  // 32-bit number, 4 bytes, least significant first

// One value of a section: its name, type code and raw bytes.
struct RegistryValue {
  std::string name;
  std::uint32_t type = kRegNone;
  std::vector<unsigned char> data;

  static RegistryValue String(std::string name, const std::string& text);
  static RegistryValue Dword(std::string name, std::int32_t number);
  static RegistryValue Binary(std::string name, std::vector<unsigned char> bytes);

  bool operator==(const RegistryValue&) const = default;
};

// A value together with the section it belongs to, for writing several in one transaction.
struct RegistryEntry {
  std::string section;
  RegistryValue value;
};

std::vector<unsigned char> DwordBytes(std::int32_t number);
// The number of a 4-byte value; nothing for any other length.
std::optional<std::int32_t> DwordFromBytes(const std::vector<unsigned char>& data);
// The characters up to the first NUL byte (the whole data when there is none).
std::string StringFromBytes(const std::vector<unsigned char>& data);

enum class StoreStatus { Ok, NotFound, AlreadyExists, Failed };

struct StoreResult {
  StoreStatus status = StoreStatus::Ok;
  std::string error;  // what went wrong, in words; empty for Ok
  bool busy = false;  // Failed because another program kept the store locked past the wait

  bool ok() const { return status == StoreStatus::Ok; }
};

// The settings file: $ZARVIC_REGISTRY when set, else
// $XDG_CONFIG_HOME/Orlendt Software Applications/registry.sqlite3 (~/.config/... when unset).
std::string DefaultRegistryPath();

// The per-user settings store shared by the calculator and the registry utility: programs, their
// sections and the sections' typed values, in an SQLite file. Program, section and value names compare
// without regard to ASCII case and keep the spelling they were created with. Sections and values are
// listed in the order they were created; rewriting a value keeps its place.
//
// Every write is one IMMEDIATE transaction and waits for another writer (busy timeout), so processes
// writing at the same time lose nothing and leave nothing half-written. A file that is not a store of
// ours, or is damaged, is reported by Open and never written to.
//
// One object is one connection; use it from one thread at a time.
class RegistryStore {
 public:
  RegistryStore() = default;
  ~RegistryStore();
  RegistryStore(RegistryStore&& other) noexcept;
  RegistryStore& operator=(RegistryStore&& other) noexcept;
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // Opens the store at path, creating the file and its folders when missing. On failure the object
  // stays closed and the result says why.
  StoreResult Open(const std::string& path);
  // How long an operation waits for another program's lock on the store before it fails as busy
  // (10 seconds unless set), and what is called once when an operation starts to wait. Set before
  // Open; kept across Close and Open.
  void SetBusyWait(int timeoutMs, std::function<void()> onWait);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  const std::string& Path() const { return path_; }

  // Reads. NotFound when the program (or section, or value) does not exist.
  StoreResult ListPrograms(std::vector<std::string>& programs) const;
  StoreResult ListSections(const std::string& program, std::vector<std::string>& sections) const;
  StoreResult ListValues(const std::string& program, const std::string& section,
                         std::vector<RegistryValue>& values) const;
  StoreResult GetValue(const std::string& program, const std::string& section, const std::string& name,
                       RegistryValue& value) const;
  StoreResult HasSection(const std::string& program, const std::string& section) const;

  // Writes. SetValue creates the program and section as needed and replaces an existing value (name,
  // type and data) in its place; AddValue does the same but gives AlreadyExists for an existing value.
  StoreResult SetValue(const std::string& program, const std::string& section, const RegistryValue& value);
  StoreResult AddValue(const std::string& program, const std::string& section, const RegistryValue& value);
  // All of them or none.
  StoreResult SetValues(const std::string& program, const std::vector<RegistryEntry>& entries);
  StoreResult DeleteValue(const std::string& program, const std::string& section, const std::string& name);
  StoreResult AddSection(const std::string& program, const std::string& section);     // AlreadyExists
  StoreResult DeleteSection(const std::string& program, const std::string& section);  // with its values

 private:
  StoreResult Prepare();
  StoreResult Write(const char* what, const std::function<StoreResult()>& body);
  StoreResult Failure(const std::string& what) const;
  StoreResult NotOpen() const;

  struct BusyWait {
    int timeoutMs;
    std::function<void()> onWait;
  };
  static int OnBusy(void* wait, int count);

  sqlite3* db_ = nullptr;
  std::string path_;
  // Its own allocation, so that the handler SQLite keeps still finds it after a move.
  std::unique_ptr<BusyWait> busyWait_;
};

}  // namespace zarvic
