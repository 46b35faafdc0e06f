#pragma once
// What the fuzz targets share: the application on the offscreen platform with
// the fake desktop and the tests' services (every question answered, "Non"
// where offered, any modal window closed at once) and a private program
// folder. No target builds a window: each feeds its parser directly.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace fuzz {

// Starts the application once.
void start();
QByteArray bytes(const uint8_t* data, size_t size);
// A file of the private program folder, holding data; answers its path.
QString writeFile(const QString& name, const QByteArray& data);
// The input cut at its first line "----": the part before it and the part
// after it (all of it and nothing when it has none).
std::pair<QByteArray, QByteArray> twoParts(const QByteArray& input);

}  // namespace fuzz
