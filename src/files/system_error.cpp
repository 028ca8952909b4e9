#include "files/system_error.h"

#include <cerrno>
#include <cstring>

namespace qeli::files {

uint32_t systemErrorCode(int errnoValue) {
    switch (errnoValue) {
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return kErrorPathNotFound;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR: return kErrorAccessDenied;
    case ENOMEM: return 8;
    case EROFS: return 19;
    case EBUSY:
    case ETXTBSY: return 32;
    case ENOSPC: return 112;
    default: return 31;
    }
}

std::string systemErrorText(uint32_t code) {
    switch (code) {
    case kErrorFileNotFound: return "指定されたファイルが見つかりません。";
    case kErrorPathNotFound: return "指定されたパスが見つかりません。";
    case 4: return "システムはファイルを開くことができません。";
    case kErrorAccessDenied: return "アクセスが拒否されました。";
    case 8: return "このコマンドを実行するのに十分な記憶域がありません。";
    case kErrorOutOfMemory: return "この操作を完了するのに十分な記憶域がありません。";
    case 19: return "メディアは書き込み禁止になっています。";
    case 32: return "プロセスはファイルにアクセスできません。別のプロセスが使用中です。";
    case 112: return "ディスクに十分な空き領域がありません。";
    default: return "システムに接続されたデバイスが機能していません。";
    }
}

}  // namespace qeli::files
