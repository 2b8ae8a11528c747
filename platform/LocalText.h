// Texts are bytes above the widget layer and Unicode inside Qt. They cross in the locale's
// 8-bit encoding; file names cross as the file system spells them.
#pragma once

#include <QString>
#include <string>

QString FromLocal8Bit(const std::string& text);
std::string ToLocal8Bit(const QString& text);
std::string FileNameBytes(const QString& path);
QString FileNameString(const std::string& path);
