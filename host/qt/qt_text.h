//===- host/qt/qt_text.h - Qt strings to and from the app's texts -*- C++ -*-===//
//
// The application works on byte strings: its own texts are UTF-8 and paths
// are the file system's native bytes.  Qt works on QString.  These four
// functions are the only place where the two meet.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_QT_QT_TEXT_H
#define FILECRYPTER_HOST_QT_QT_TEXT_H

#include <QString>

#include <string>
#include <string_view>

namespace filecrypter {

std::string ToText(const QString &text);
QString FromText(std::string_view text);

std::string ToNativePath(const QString &path);
QString FromNativePath(std::string_view path);

} // namespace filecrypter

#endif // FILECRYPTER_HOST_QT_QT_TEXT_H
