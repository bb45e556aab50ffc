#pragma once

// Identity of this editor build as written into project files and shown to the user.
namespace Versions {
inline constexpr const char* kProductWord = "Marvolenta";
inline constexpr const char* kBuildVersion = "3.8.2";
inline constexpr int kDataVersion = 6;
inline constexpr const char* kMinRuntimeVersion = "1.9.8";
inline constexpr const char* kMinIosVersion = "未知";
}
