//===- host/qt/qt_text.cpp - Qt strings to and from the app's texts -------===//

#include "host/qt/qt_text.h"

#include <QByteArray>
#include <QFile>

namespace filecrypter {
namespace {

QByteArray Borrow(std::string_view bytes) {
  return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToString(const QByteArray &bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

std::string ToText(const QString &text) { return ToString(text.toUtf8()); }

QString FromText(std::string_view text) { return QString::fromUtf8(Borrow(text)); }

std::string ToNativePath(const QString &path) { return ToString(QFile::encodeName(path)); }

QString FromNativePath(std::string_view path) { return QFile::decodeName(Borrow(path)); }

} // namespace filecrypter
