// Files on the desktop are plain files: a commit has stored them already.
#include "platform/backend.h"

void backend_file_committed(const char*) {}
