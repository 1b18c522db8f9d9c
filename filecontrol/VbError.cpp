#include "filecontrol/VbError.h"

#include "platform/win32types.h"

namespace filecontrol {

VbError::VbError(int32_t number, const std::string& description)
    : std::runtime_error(description.empty() ? StandardDescription(number) : description),
      number_(number),
      description_(description.empty() ? StandardDescription(number) : description) {}

std::string VbError::StandardDescription(int32_t number) {
    switch (number) {
        case vberr::kInvalidCall:
            return "프로시저 호출 또는 인수가 잘못되었습니다.";
        case vberr::kOverflow:
            return "오버플로";
        case vberr::kOutOfMemory:
            return "메모리가 부족합니다.";
        case vberr::kSubscriptOutOfRange:
            return "첨자 사용이 잘못되었습니다.";
        case vberr::kTypeMismatch:
            return "형식이 일치하지 않습니다.";
        case vberr::kBadFileNameOrNumber:
            return "파일 이름이나 번호가 잘못되었습니다.";
        case vberr::kFileNotFound:
            return "파일을 찾을 수 없습니다.";
        case vberr::kBadFileMode:
            return "파일 모드가 잘못되었습니다.";
        case vberr::kFileAlreadyOpen:
            return "파일이 이미 열려 있습니다.";
        case vberr::kDeviceIoError:
            return "장치 입출력 오류입니다.";
        case vberr::kFileAlreadyExists:
            return "파일이 이미 있습니다.";
        case vberr::kDiskFull:
            return "디스크가 꽉 찼습니다.";
        case vberr::kInputPastEnd:
            return "파일의 끝을 지나서 입력하려고 했습니다.";
        case vberr::kTooManyFiles:
            return "파일이 너무 많습니다.";
        case vberr::kDeviceUnavailable:
            return "장치를 사용할 수 없습니다.";
        case vberr::kPermissionDenied:
            return "사용 권한이 없습니다.";
        case vberr::kDiskNotReady:
            return "디스크가 준비되지 않았습니다.";
        case vberr::kRenameAcrossDrives:
            return "다른 드라이브로 이름을 바꿀 수 없습니다.";
        case vberr::kPathFileAccessError:
            return "경로/파일 액세스 오류입니다.";
        case vberr::kPathNotFound:
            return "경로를 찾을 수 없습니다.";
        case vberr::kNotSupported:
            return "개체가 이 동작을 지원하지 않습니다.";
        default:
            return "응용 프로그램 정의 오류 또는 개체 정의 오류입니다.";
    }
}

int32_t RuntimeErrorFromWin32(uint32_t error) {
    using namespace platform;
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return vberr::kFileNotFound;
        case ERROR_PATH_NOT_FOUND:
            return vberr::kPathNotFound;
        case ERROR_TOO_MANY_OPEN_FILES:
            return vberr::kTooManyFiles;
        case ERROR_SHARING_VIOLATION:
            return vberr::kPermissionDenied;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return vberr::kPathFileAccessError;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_FILE_TOO_LARGE:
            return vberr::kDiskFull;
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return vberr::kBadFileNameOrNumber;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return vberr::kFileAlreadyExists;
        case ERROR_NOT_SAME_DEVICE:
            return vberr::kRenameAcrossDrives;
        case ERROR_NOT_ENOUGH_MEMORY:
            return vberr::kOutOfMemory;
        default:
            return vberr::kDeviceIoError;
    }
}

}  // namespace filecontrol
