#include "base/SystemError.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace pelorin {

std::string DescribeSystemError(int error) {
  switch (error) {
    case ENOSPC:
      return "磁盘空间不足";
    case EDQUOT:
      return "磁盘配额已用完";
    case EACCES:
    case EPERM:
      return "没有权限";
    case EROFS:
      return "文件系统是只读的";
    case ENAMETOOLONG:
      return "文件名太长";
    case ENOENT:
    case ENOTDIR:
      return "文件夹不存在";
    case EISDIR:
      return "这是文件夹，不是文件";
    case ELOOP:
      return "符号链接的层数太多，或链接形成了循环";
    case EMLINK:
      return "文件的链接数太多";
    case EFBIG:
      return "文件太大";
    case ENXIO:
    case ENODEV:
      return "设备不存在或没有准备好";
    case EBUSY:
    case ETXTBSY:
      return "文件或设备正在使用中";
    case EIO:
      return "读写设备时出错";
    case ENOMEM:
      return "内存不足";
    case EMFILE:
    case ENFILE:
      return "打开的文件太多";
    default:
      return std::strerror(error);
  }
}

std::optional<std::string> DescribeNonRegularFile(unsigned mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return DescribeSystemError(EISDIR);
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "这是设备，不是普通文件";
  if (S_ISFIFO(mode)) return "这是管道，不是普通文件";
  if (S_ISSOCK(mode)) return "这是套接字，不是普通文件";
  return "这不是普通文件";
}

}  // namespace pelorin
