#include "file_mime_data.h"

FileMimeData::FileMimeData() = default;

FileMimeData::~FileMimeData() = default;
