// Conversion of a large generated Atmel Studio project through the plug-in's
// Convert export: Compile items spread over nested folders, and None items,
// or many build configurations.
// Two files of each kind carry names of the initialization file's excluded
// files; each of them is excluded once per later None item, so a fixed number
// of them keeps the size of the output linear in the number of items.
#include <benchmark/benchmark.h>

#include <boost/filesystem.hpp>
#include <fstream>
#include <string>
#include <vector>

#include "platform/library.h"
#include "platform/program.h"
#include "plugin_interface/converter_plugin.h"

namespace {

namespace fs = boost::filesystem;

// Folder k lies below folder (k - 1) / 4: a tree some five levels deep.
std::vector<std::string> FolderPaths(int count) {
  std::vector<std::string> paths;
  for (int k = 0; k < count; ++k) {
    const std::string name = "dir" + std::to_string(k);
    paths.push_back(k == 0 ? name : paths[(k - 1) / 4] + "\\" + name);
  }
  return paths;
}

// Configurations beyond Debug and Release alternate between the two kinds.
std::string ProjectText(int compiled, int folderCount, int other, int configurations) {
  const std::vector<std::string> folders = FolderPaths(folderCount);
  std::string text =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Project>\n"
      "  <PropertyGroup><avrdevice>ATmega328P</avrdevice></PropertyGroup>\n";
  for (int i = 0; i < configurations; ++i) {
    const std::string name = (i % 2 == 0 ? "Debug" : "Release") + (i < 2 ? "" : std::to_string(i));
    text += "  <PropertyGroup Condition=\" '$(Configuration)' == '" + name +
            "' \"><ToolchainSettings><AvrGcc><avrgcc.compiler.symbols.DefSymbols><ListValues>"
            "<Value>F_CPU=16000000UL</Value></ListValues></avrgcc.compiler.symbols.DefSymbols>"
            "</AvrGcc></ToolchainSettings></PropertyGroup>\n";
  }
  text += "  <ItemGroup>\n";
  for (const std::string& folder : folders) text += "    <Folder Include=\"" + folder + "\\\" />\n";
  for (int i = 0; i < compiled; ++i) {
    const bool listed = i == 0 || i == compiled / 2;
    const std::string name = listed ? "avr_gcc_setup.c" : "f" + std::to_string(i) + ".c";
    text += "    <Compile Include=\"" + folders[i % folderCount] + "\\" + name + "\" />\n";
  }
  for (int i = 0; i < other; ++i) {
    const bool listed = i == 0 || i == other / 2;
    const std::string name = listed ? "startup_avr_gcc.S" : "n" + std::to_string(i) + ".txt";
    text += "    <None Include=\"" + folders[(i * 7) % folderCount] + "\\" + name + "\" />\n";
  }
  return text + "  </ItemGroup>\n</Project>\n";
}

converter_plugin::Converter BindConvert() {
  void* library = platform::LoadLibrary(VARNOCK_BIN_DIR "/extconvTarrow.so");
  converter_plugin::EntryPoints entryPoints;
  if (library != nullptr) {
    converter_plugin::BindEntryPoints(
        [library](const char* name) { return platform::FindSymbol(library, name); }, entryPoints);
  }
  return entryPoints.convert;
}

void BM_ConvertLargeProject(benchmark::State& state) {
  const int compiled = static_cast<int>(state.range(0));
  const int folders = static_cast<int>(state.range(1));
  const int other = static_cast<int>(state.range(2));
  const int configurations = static_cast<int>(state.range(3));
  const converter_plugin::Converter convert = BindConvert();
  if (convert == nullptr) {
    state.SkipWithError("the plug-in library did not load");
    return;
  }
  platform::OverrideProgramPath(VARNOCK_BIN_DIR "/varnock");
  const fs::path folder = fs::temp_directory_path() / fs::unique_path("varnock-bench-%%%%-%%%%");
  fs::create_directories(folder);
  const std::string projectFile = (folder / "large.cproj").string();
  std::ofstream(projectFile) << ProjectText(compiled, folders, other, configurations);
  const std::string initFile = VARNOCK_BIN_DIR "/../config/template/Varnock/extconvTarrow.xml";

  for (auto _ : state) {
    std::string report;
    if (!convert(projectFile.c_str(), initFile.c_str(), &report)) {
      state.SkipWithError("the conversion failed");
      break;
    }
    benchmark::DoNotOptimize(report);
  }
  state.counters["items"] = compiled + other;
  fs::remove_all(folder);
  platform::OverrideProgramPath("");
}

BENCHMARK(BM_ConvertLargeProject)
    ->ArgNames({"compiled", "folders", "other", "configurations"})
    ->Args({10000, 500, 2000, 2})
    ->Args({20000, 1000, 4000, 2})
    ->Args({10, 5, 2, 4000})
    ->Args({10, 5, 2, 8000})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
