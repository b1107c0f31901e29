#include "app/FileErrorText.h"

#include "localization/LocalizationStore.h"

namespace vexil {

namespace {

const char* FileErrorKey(TFileError AError) {
  switch (AError) {
  case TFileError::NotFound:
    return "FILE_ERROR_NOT_FOUND";
  case TFileError::NoPermission:
    return "FILE_ERROR_NO_PERMISSION";
  case TFileError::ReadOnly:
    return "FILE_ERROR_READ_ONLY";
  case TFileError::DiskFull:
    return "FILE_ERROR_DISK_FULL";
  case TFileError::IsAFolder:
    return "FILE_ERROR_FOLDER";
  case TFileError::NotARegularFile:
    return "FILE_ERROR_NOT_REGULAR";
  case TFileError::None:
  case TFileError::Other:
    break;
  }
  return "FILE_ERROR_OTHER";
}

} // namespace

QString FileErrorText(const TLocalizationStore& AStore, const TFileResult& AResult) {
  return AStore.GetString(QString::fromLatin1(FileErrorKey(AResult.Error)));
}

} // namespace vexil
