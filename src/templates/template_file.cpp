#include <cstring>
#include <new>

#include "platform/file_handle.h"
#include "platform/save_file.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

constexpr int64_t kSmallestRecord = 5;  // a length byte 0 and the code
constexpr unsigned kLongestCaption = 255;
constexpr int64_t kCodeBytes = 4;

// A record cut short by the end of the file ends the template. False when a row cannot be added.
bool readRecords(TIOStream* stream, Template& into) {
    unsigned char length = 0;
    char caption[kLongestCaption + 1];
    char code[kCodeBytes];
    for (;;) {
        if (stream->Read(&length, 1) != 1) return true;
        if (stream->Read(caption, length) != length) return true;
        caption[length] = 0;
        if (stream->Read(code, kCodeBytes) != kCodeBytes) return true;
        if (!into.appendField(code, caption)) return false;
    }
}

bool writeRecords(TIOStream* stream, const Template& from) {
    for (int32_t i = 0; i < from.fieldCount; ++i) {
        const TemplateField* field = from.fields[i];
        size_t captionLength = std::strlen(field->caption);
        unsigned char length =
            static_cast<unsigned char>(captionLength < kLongestCaption ? captionLength : kLongestCaption);
        if (stream->Write(&length, 1) != 1 || stream->Write(field->caption, length) != length ||
            stream->Write(field->code, kCodeBytes) != kCodeBytes) {
            return false;
        }
    }
    return true;
}

// As many rows as the file can hold, so that loading costs no repeated growth.
int32_t rowsThatFit(int64_t fileSize) {
    int64_t rows = fileSize / kSmallestRecord;
    return rows < kMaxTemplateFields ? static_cast<int32_t>(rows) : kMaxTemplateFields;
}

}  // namespace

int Template::load(const char* filePath) {
    if (!filePath) return -1;
    TIOFile* file = new (std::nothrow) TIOFile(filePath, platform::kGenericRead, platform::kOpenExisting);
    if (!file || !file->IsOpen()) {
        delete file;
        return -1;
    }
    // Read into a fresh template, so that a failure leaves this one as it was.
    Template loaded;
    bool complete = loaded.setSource(filePath) && loaded.reserveFields(rowsThatFit(file->Size())) &&
                    readRecords(file, loaded);
    delete file;
    if (!complete) return -9;
    loaded.link();
    adopt(loaded);
    return 0;
}

// Written beside the target and moved over it only when every byte is on disk, so that a failed
// save never leaves a short file in place of a good one.
int Template::save(const char* filePath) {
    if (!filePath) return -1;
    char* pending = platform::createSaveFile(filePath);
    if (!pending) return -1;
    TIOFile* file = new (std::nothrow) TIOFile(pending, platform::kGenericWrite, platform::kCreateAlways);
    if (!file) {
        platform::deleteFile(pending);
        delete[] pending;
        return -9;
    }
    int result = -1;
    if (file->IsOpen()) {
        bool written = writeRecords(file, *this) && file->Flush();
        delete file;
        if (written && platform::replaceBySaveFile(pending, filePath)) {
            result = 0;
        } else {
            platform::deleteFile(pending);
        }
    } else {
        delete file;
        platform::deleteFile(pending);
    }
    delete[] pending;
    return result;
}
