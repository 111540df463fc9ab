#include "host/wal_buffer_vfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace dn {

namespace {

constexpr const char* kName = "torvalo-walbuffer";
// Frames are gathered up to this size; a larger commit is written in parts.
constexpr std::size_t kCapacity = 4u << 20;
constexpr std::size_t kWriteChunk = 124u << 10;
constexpr sqlite3_int64 kWalHeader = 32;
constexpr int kFrameHeader = 24;

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The gathered bytes of one log file: [start, start + bytes.size()).
struct WalBuffer {
    std::vector<char> bytes;
    sqlite3_int64 start = 0;
    std::uint32_t pageSize = 0;      // from the log header; 0 while unknown
    sqlite3_int64 commitEnd = -1;    // end of the commit frame being written
};

struct File {
    sqlite3_file base;
    sqlite3_file* real;
    WalBuffer* wal;
};

// The system's file layer, found once when this one is registered.
sqlite3_vfs* gRoot = nullptr;

sqlite3_vfs* root() { return gRoot; }

File* self(sqlite3_file* f) { return reinterpret_cast<File*>(f); }

sqlite3_file* realOf(sqlite3_file* f) { return self(f)->real; }

int flush(File* f) {
    WalBuffer* w = f->wal;
    if (!w || w->bytes.empty()) return SQLITE_OK;
    // The system layer takes at most 128 KiB per write.
    int rc = SQLITE_OK;
    for (std::size_t done = 0; done < w->bytes.size() && rc == SQLITE_OK; done += kWriteChunk) {
        const std::size_t n = std::min(kWriteChunk, w->bytes.size() - done);
        rc = f->real->pMethods->xWrite(f->real, w->bytes.data() + done, static_cast<int>(n),
                                       w->start + static_cast<sqlite3_int64>(done));
    }
    // After a failure the frames are dropped: the commit they belong to
    // fails, and frames beyond the log's last commit are never read.
    w->start += static_cast<sqlite3_int64>(w->bytes.size());
    w->bytes.clear();
    w->commitEnd = -1;
    return rc;
}

// The page size of the log, from its header in the file when this handle
// did not write it.
std::uint32_t pageSizeOf(File* f) {
    WalBuffer* w = f->wal;
    if (w->pageSize == 0) {
        unsigned char header[kWalHeader];
        if (f->real->pMethods->xRead(f->real, header, kWalHeader, 0) == SQLITE_OK) {
            const std::uint32_t size = bigEndian32(header + 8);
            if (size >= 512 && size <= 65536 && (size & (size - 1)) == 0) w->pageSize = size;
        }
    }
    return w->pageSize;
}

int walWrite(File* f, const void* data, int amount, sqlite3_int64 offset) {
    WalBuffer* w = f->wal;
    const auto n = static_cast<std::size_t>(amount);
    const sqlite3_int64 end = w->start + static_cast<sqlite3_int64>(w->bytes.size());
    if (offset != end || w->bytes.size() + n > kCapacity) {
        if (const int rc = flush(f); rc != SQLITE_OK) return rc;
        w->start = offset;
    }
    if (n > kWriteChunk) return f->real->pMethods->xWrite(f->real, data, amount, offset);

    const auto* bytes = static_cast<const unsigned char*>(data);
    if (offset == 0 && amount >= kWalHeader) {
        const std::uint32_t size = bigEndian32(bytes + 8);
        w->pageSize = (size >= 512 && size <= 65536 && (size & (size - 1)) == 0) ? size : 0;
    }
    if (offset >= kWalHeader && amount >= kFrameHeader) {
        // A frame header with a database size ends a commit.
        const std::uint32_t page = w->bytes.empty() ? pageSizeOf(f) : w->pageSize;
        if (page == 0) {
            // Not a log this layer understands: write through.
            if (const int rc = flush(f); rc != SQLITE_OK) return rc;
            w->start = offset + amount;
            return f->real->pMethods->xWrite(f->real, data, amount, offset);
        }
        const sqlite3_int64 frame = kFrameHeader + static_cast<sqlite3_int64>(page);
        if ((offset - kWalHeader) % frame == 0 && bigEndian32(bytes + 4) != 0) w->commitEnd = offset + frame;
    }
    w->bytes.insert(w->bytes.end(), static_cast<const char*>(data), static_cast<const char*>(data) + n);
    if (w->commitEnd >= 0 && w->start + static_cast<sqlite3_int64>(w->bytes.size()) >= w->commitEnd)
        return flush(f);
    return SQLITE_OK;
}

// --- file methods -----------------------------------------------------------

int xClose(sqlite3_file* f) {
    File* file = self(f);
    const int flushed = flush(file);
    const int rc = file->real->pMethods ? file->real->pMethods->xClose(file->real) : SQLITE_OK;
    delete file->wal;
    file->wal = nullptr;
    return flushed != SQLITE_OK ? flushed : rc;
}

int xRead(sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
    if (const int rc = flush(self(f)); rc != SQLITE_OK) return rc;
    return realOf(f)->pMethods->xRead(realOf(f), data, amount, offset);
}

int xWrite(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
    File* file = self(f);
    if (file->wal) return walWrite(file, data, amount, offset);
    return file->real->pMethods->xWrite(file->real, data, amount, offset);
}

int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    if (const int rc = flush(self(f)); rc != SQLITE_OK) return rc;
    if (self(f)->wal) self(f)->wal->start = size;
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}

int xSync(sqlite3_file* f, int flags) {
    if (const int rc = flush(self(f)); rc != SQLITE_OK) return rc;
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}

int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    if (const int rc = flush(self(f)); rc != SQLITE_OK) return rc;
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}

int xLock(sqlite3_file* f, int level) { return realOf(f)->pMethods->xLock(realOf(f), level); }
int xUnlock(sqlite3_file* f, int level) { return realOf(f)->pMethods->xUnlock(realOf(f), level); }
int xCheckReservedLock(sqlite3_file* f, int* out) {
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}

int xFileControl(sqlite3_file* f, int op, void* arg) {
    if (const int rc = flush(self(f)); rc != SQLITE_OK) return rc;
    if (op == SQLITE_FCNTL_VFSNAME) {
        // Our name in front of the one below.
        const int rc = realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
        if (rc == SQLITE_OK) {
            auto** name = static_cast<char**>(arg);
            char* combined = sqlite3_mprintf("%s/%z", kName, *name);
            *name = combined;
        }
        return rc;
    }
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}

int xSectorSize(sqlite3_file* f) { return realOf(f)->pMethods->xSectorSize(realOf(f)); }
int xDeviceCharacteristics(sqlite3_file* f) { return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f)); }

int xShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return realOf(f)->pMethods->xShmMap(realOf(f), region, size, extend, out);
}
int xShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return realOf(f)->pMethods->xShmLock(realOf(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file* f) { realOf(f)->pMethods->xShmBarrier(realOf(f)); }
int xShmUnmap(sqlite3_file* f, int deleteFlag) { return realOf(f)->pMethods->xShmUnmap(realOf(f), deleteFlag); }

int xFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    return realOf(f)->pMethods->xFetch(realOf(f), offset, amount, out);
}
int xUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* p) {
    return realOf(f)->pMethods->xUnfetch(realOf(f), offset, p);
}

// Method tables by the version of the file below: a layer must not offer
// what the file below lacks.
sqlite3_io_methods makeMethods(int version) {
    sqlite3_io_methods m{};
    m.iVersion = version;
    m.xClose = xClose;
    m.xRead = xRead;
    m.xWrite = xWrite;
    m.xTruncate = xTruncate;
    m.xSync = xSync;
    m.xFileSize = xFileSize;
    m.xLock = xLock;
    m.xUnlock = xUnlock;
    m.xCheckReservedLock = xCheckReservedLock;
    m.xFileControl = xFileControl;
    m.xSectorSize = xSectorSize;
    m.xDeviceCharacteristics = xDeviceCharacteristics;
    if (version >= 2) {
        m.xShmMap = xShmMap;
        m.xShmLock = xShmLock;
        m.xShmBarrier = xShmBarrier;
        m.xShmUnmap = xShmUnmap;
    }
    if (version >= 3) {
        m.xFetch = xFetch;
        m.xUnfetch = xUnfetch;
    }
    return m;
}

const sqlite3_io_methods kMethods[3] = {makeMethods(1), makeMethods(2), makeMethods(3)};

// --- file system methods ----------------------------------------------------

constexpr std::size_t alignedHead() { return (sizeof(File) + 15) & ~std::size_t{15}; }

int xOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = self(f);
    file->base.pMethods = nullptr;
    file->real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(f) + alignedHead());
    file->wal = nullptr;
    const int rc = root()->xOpen(root(), name, file->real, flags, outFlags);
    const sqlite3_io_methods* below = file->real->pMethods;
    if (below) {
        const int version = below->iVersion < 1 ? 1 : below->iVersion > 3 ? 3 : below->iVersion;
        file->base.pMethods = &kMethods[version - 1];
    }
    if (rc == SQLITE_OK && (flags & SQLITE_OPEN_WAL)) file->wal = new (std::nothrow) WalBuffer;
    return rc;
}

int xDelete(sqlite3_vfs*, const char* name, int syncDir) { return root()->xDelete(root(), name, syncDir); }
int xAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return root()->xAccess(root(), name, flags, out);
}
int xFullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
    return root()->xFullPathname(root(), name, n, out);
}
void* xDlOpen(sqlite3_vfs*, const char* name) { return root()->xDlOpen(root(), name); }
void xDlError(sqlite3_vfs*, int n, char* out) { root()->xDlError(root(), n, out); }
void (*xDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
    return root()->xDlSym(root(), handle, symbol);
}
void xDlClose(sqlite3_vfs*, void* handle) { root()->xDlClose(root(), handle); }
int xRandomness(sqlite3_vfs*, int n, char* out) { return root()->xRandomness(root(), n, out); }
int xSleep(sqlite3_vfs*, int micro) { return root()->xSleep(root(), micro); }
int xCurrentTime(sqlite3_vfs*, double* out) { return root()->xCurrentTime(root(), out); }
int xGetLastError(sqlite3_vfs*, int n, char* out) {
    return root()->xGetLastError ? root()->xGetLastError(root(), n, out) : 0;
}
int xCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
    if (root()->iVersion >= 2 && root()->xCurrentTimeInt64) return root()->xCurrentTimeInt64(root(), out);
    double day = 0;
    const int rc = root()->xCurrentTime(root(), &day);
    *out = static_cast<sqlite3_int64>(day * 86400000.0);
    return rc;
}

sqlite3_vfs* registerLayer() {
    sqlite3_initialize();
    gRoot = sqlite3_vfs_find(nullptr);
    sqlite3_vfs* below = gRoot;
    static sqlite3_vfs vfs{};
    vfs.iVersion = 2;
    vfs.szOsFile = static_cast<int>(alignedHead()) + below->szOsFile;
    vfs.mxPathname = below->mxPathname;
    vfs.zName = kName;
    vfs.xOpen = xOpen;
    vfs.xDelete = xDelete;
    vfs.xAccess = xAccess;
    vfs.xFullPathname = xFullPathname;
    vfs.xDlOpen = xDlOpen;
    vfs.xDlError = xDlError;
    vfs.xDlSym = xDlSym;
    vfs.xDlClose = xDlClose;
    vfs.xRandomness = xRandomness;
    vfs.xSleep = xSleep;
    vfs.xCurrentTime = xCurrentTime;
    vfs.xGetLastError = xGetLastError;
    vfs.xCurrentTimeInt64 = xCurrentTimeInt64;
    sqlite3_vfs_register(&vfs, 0);
    return &vfs;
}

}  // namespace

const char* BufferedWalVfs() {
    static const sqlite3_vfs* vfs = registerLayer();
    return vfs->zName;
}

}  // namespace dn
