#include "render/CubeMeshResource.h"

#include "engine/Streams.h"

#include <QByteArray>
#include <QFile>

#include <string>

namespace vexil {

namespace {

[[noreturn]] void RaiseUnreadable(const QString& AFileName, const QFile& AFile) {
  throw EStreamError("Cannot read \"" + AFileName.toStdString() +
                     "\": " + AFile.errorString().toStdString());
}

} // namespace

QString CubeMeshResourceName() {
  return QStringLiteral(":/mesh/cube.mesh");
}

std::vector<uint8_t> ReadResourceBytes(const QString& AFileName) {
  QFile file(AFileName);
  if (!file.open(QIODevice::ReadOnly)) {
    RaiseUnreadable(AFileName, file);
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    RaiseUnreadable(AFileName, file);
  }
  return std::vector<uint8_t>(bytes.cbegin(), bytes.cend());
}

std::vector<uint8_t> ReadCubeMesh() {
  return ReadResourceBytes(CubeMeshResourceName());
}

} // namespace vexil
