#pragma once

/// Marks a function or class of the platform libraries' public interface:
/// each library exports these and keeps everything else to itself.
#define PLATFORM_EXPORT __attribute__((visibility("default")))
