#include "platform/ResourceImages.h"

#include "platform/LocalText.h"

#include <QFile>

QImage LoadFace(const std::string& name) {
    const QString path = QStringLiteral(":/faces/") + FromLocal8Bit(name) + QStringLiteral(".bmp");
    return QFile::exists(path) ? QImage(path) : QImage();
}

QImage LoadResourceBitmap(const std::string& name) {
    return QImage(QStringLiteral(":/") + FromLocal8Bit(name) + QStringLiteral(".bmp"));
}

QIcon ApplicationIcon() {
    return QIcon(QStringLiteral(":/zemlo.ico"));
}
