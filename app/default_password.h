//===- app/default_password.h - The password box's first sentence -*- C++ -*-===//
#ifndef FILECRYPTER_APP_DEFAULT_PASSWORD_H
#define FILECRYPTER_APP_DEFAULT_PASSWORD_H

#include <string_view>

namespace filecrypter {

// The sentence the password box starts with.  Left in place, it is the
// password, so its GBK bytes (c7ebbdabcec4bcfecdcfb7c5b5bdb1be...) must
// never change: files encrypted with it have to keep opening.
inline constexpr std::string_view kDefaultPassword =
    "请将文件拖放到本窗口，然后在此输入密码；如果不输入密码，这句话本身就是密码。";

} // namespace filecrypter

#endif // FILECRYPTER_APP_DEFAULT_PASSWORD_H
