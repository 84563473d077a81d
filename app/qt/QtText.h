#pragma once

#include <QString>

#include <string>

// The program's Windows-1252 bytes as Qt's Unicode text, and back; a
// character Windows-1252 cannot hold becomes "?".
QString ToQString(const std::string& bytes);
std::string FromQString(const QString& text);
