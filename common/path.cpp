// The file-name and folder parts of a path, split at the last "/".
#include "common/file.h"

text_t path_file_name(text_view path) {
  size_t slash = path.rfind(u'/');
  return text_t(slash == text_view::npos ? path : path.substr(slash + 1));
}

text_t path_directory(text_view path) {
  size_t slash = path.rfind(u'/');
  return slash == text_view::npos ? text_t() : text_t(path.substr(0, slash + 1));
}
