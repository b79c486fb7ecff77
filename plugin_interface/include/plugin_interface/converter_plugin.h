#pragma once

// The four C functions a converter plug-in exports under these names and the
// program binds by name once it has loaded the plug-in's library. A plug-in
// defines them with CONVERTER_PLUGIN_EXPORT after this declaration, so that a
// definition that differs from it does not compile. Text crosses as
// NUL-terminated narrow strings; the report is the program's own string,
// which the plug-in extends, so both sides share one C++ runtime.
#include <string>
#include <type_traits>

/// C linkage and the plug-in library's export, for the declarations below
/// and for a plug-in's definitions of them.
#define CONVERTER_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

/// The converter's display name, its explanation, and its file patterns
/// (such as "*.cproj"; the name is spelled so). Each copies its text with the
/// terminating NUL into `buffer` of `size` bytes and returns true; when the
/// text does not fit it returns false and leaves the buffer alone.
CONVERTER_PLUGIN_EXPORT bool GetName(char* buffer, unsigned size);
CONVERTER_PLUGIN_EXPORT bool GetExplanation(char* buffer, unsigned size);
CONVERTER_PLUGIN_EXPORT bool GetExtentions(char* buffer, unsigned size);

/// Converts `projectFile` with the settings of the initialization file
/// `initFile`; *report is the program's report of the run so far. True on
/// success, with the conversion's report appended to *report. False on
/// failure, after the plug-in's own messages (each naming the project file);
/// it then appends the project's entry with a line that starts with
/// kNotConvertedLine and gives the reason, or, when it cannot say why,
/// nothing (the program then writes that entry).
CONVERTER_PLUGIN_EXPORT bool Convert(const char* projectFile, const char* initFile,
                                     std::string* report);

namespace converter_plugin {

using TextGetter = decltype(&GetName);
using Converter = decltype(&Convert);
static_assert(std::is_same_v<decltype(&GetExplanation), TextGetter> &&
              std::is_same_v<decltype(&GetExtentions), TextGetter>);

/// The sizes, in bytes, of the buffers the program passes to GetName,
/// GetExplanation and GetExtentions.
constexpr unsigned kNameBufferSize = 1024;
constexpr unsigned kExplanationBufferSize = 10240;
constexpr unsigned kExtensionsBufferSize = 1024;

/// The start of the report line that says why a project file was not
/// converted.
constexpr char kNotConvertedLine[] = "Project not converted: ";

/// What a message of a failed conversion says after its own text, so that
/// the user learns which project file was not converted.
inline std::string ProjectNotConvertedNote(const std::string& projectFile) {
  return "\n\nThe project '" + projectFile + "' is not converted.";
}

/// The report entry of a project file that was not converted, for `reason`
/// (the text of the message the user saw): its path, then the reason's line.
inline std::string NotConvertedEntry(const std::string& projectFile, const std::string& reason) {
  return projectFile + "\n" + kNotConvertedLine + reason + "\n";
}

/// One plug-in's entry points as bound from its library; null until bound.
struct EntryPoints {
  TextGetter getName = nullptr;
  TextGetter getExplanation = nullptr;
  TextGetter getExtentions = nullptr;
  Converter convert = nullptr;
};

/// Binds `entryPoint` to the export `name` that `findSymbol(name)` finds;
/// false, and the entry point null, when there is none.
template <class Function, class FindSymbol>
bool BindEntryPoint(FindSymbol& findSymbol, const char* name, Function& entryPoint) {
  entryPoint = reinterpret_cast<Function>(findSymbol(name));
  return entryPoint != nullptr;
}

/// Binds the entry points by name, in the order declared, through
/// `findSymbol(name)`: the address of the loaded library's export `name`, or
/// null when it has none. False at the first name not found; the entry points
/// bound before it stay set, the later ones stay null.
template <class FindSymbol>
bool BindEntryPoints(FindSymbol findSymbol, EntryPoints& entryPoints) {
  return BindEntryPoint(findSymbol, "GetName", entryPoints.getName) &&
         BindEntryPoint(findSymbol, "GetExplanation", entryPoints.getExplanation) &&
         BindEntryPoint(findSymbol, "GetExtentions", entryPoints.getExtentions) &&
         BindEntryPoint(findSymbol, "Convert", entryPoints.convert);
}

}  // namespace converter_plugin
