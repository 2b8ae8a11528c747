#include "platform/LocalText.h"

#include <QFile>

QString FromLocal8Bit(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLocal8Bit(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

std::string FileNameBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FileNameString(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}
