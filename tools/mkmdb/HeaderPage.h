#pragma once
// Page 0: the database definition page of a Jet 4 file without password or
// encryption.
#include "PageFile.h"

namespace mkmdb {

void WriteHeaderPage(Page& page);

}  // namespace mkmdb
