#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// A folder of the harness's own below the system's temporary folder, made
/// on first use and removed with everything in it when the process ends.
const std::string& ScratchFolder();

/// Writes the input as the file `name` in the scratch folder; its path.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

/// Keeps Xerces running from now on, as a tree alive for the whole run: each
/// input then does not start and stop it again, which costs more than most
/// inputs take.
void KeepXercesRunning();

/// Ends the run as a crash with `what` on standard error unless `condition`
/// holds, so that libFuzzer keeps the input.
void Require(bool condition, const char* what);
