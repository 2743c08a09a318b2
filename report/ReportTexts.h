#pragma once
// Language text ids of the report core's own messages.

namespace reporttext {

inline constexpr unsigned kGeneralError = 6294;  // "常规错误，请重新进行操作"
inline constexpr unsigned kInitError = 6295;     // "初始化报表模块时出错，请重新尝试。"
inline constexpr unsigned kTextsMissing = 6298;  // the report texts could not be read; "%s" their file

}  // namespace reporttext
