// Start-up of the windows: the time from starting wzrv to its first shown main window with a new
// problem, on the offscreen platform (the program ends right after the first show). The goal is well
// under half a second.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void BM_StartUpToFirstWindow(benchmark::State& state) {
  const std::string program = std::string(ZARVIC_BINARY_DIR) + "/wzrv";
  if (!std::filesystem::exists(program)) {
    state.SkipWithError("wzrv is not built");
    return;
  }
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "zarvic-bench-startup";
  std::filesystem::create_directories(home / "Documents");
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "ZARVIC_QUIT_AFTER_FIRST_SHOW=1",
                                  "HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / "config").string(),
                                  "XDG_RUNTIME_DIR=" + home.string(),
                                  "ZARVIC_REGISTRY=" + (home / "registry.sqlite3").string(),
                                  "ZARVIC_LEGACY_INI=" + (home / "none.ini").string()};
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string name = program;
  char* argv[] = {name.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("cannot start wzrv");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("wzrv failed");
      return;
    }
  }
}
BENCHMARK(BM_StartUpToFirstWindow)->Unit(benchmark::kMillisecond)->Iterations(15)->UseRealTime();

}  // namespace
