#pragma once

/// Marks a function or class of the platform library's public interface:
/// the library exports these and keeps everything else to itself.
#define PLATFORM_EXPORT __attribute__((visibility("default")))
