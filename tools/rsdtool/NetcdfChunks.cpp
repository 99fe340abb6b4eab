#include "NetcdfChunks.h"

#include <hdf5.h>
#include <zlib.h>

#include <cstring>

#include "NetcdfArchive.h"
#include "NetcdfSupport.h"

namespace {

constexpr int kDeflateLevel = 1;
constexpr int kWindowBits = 15;
constexpr int kMemoryLevel = 8;

// Closes an HDF5 handle when it goes out of scope.
class Handle {
  public:
    Handle(hid_t id, herr_t (*close)(hid_t), const std::string& what) : m_id(id), m_close(close) {
        if (id < 0) throw ArchiveError(what + ": HDF5 cannot open it");
    }
    ~Handle() { m_close(m_id); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    hid_t Id() const { return m_id; }

  private:
    hid_t m_id;
    herr_t (*m_close)(hid_t);
};

}  // namespace

std::vector<unsigned char> FilterChunk(const float* values, std::size_t count) {
    // One stream and buffers per thread, reset for each chunk: starting zlib afresh and
    // clearing new buffers every chunk cost as much as the compression itself.
    struct Deflater {
        Deflater() {
            if (deflateInit2(&stream, kDeflateLevel, Z_DEFLATED, kWindowBits, kMemoryLevel,
                             Z_RLE) != Z_OK)
                throw ArchiveError("deflate: cannot start");
        }
        ~Deflater() { deflateEnd(&stream); }
        Deflater(const Deflater&) = delete;
        Deflater& operator=(const Deflater&) = delete;
        z_stream stream{};
        std::vector<unsigned char> shuffled, out;
    };
    thread_local Deflater deflater;
    z_stream& stream = deflater.stream;

    // HDF5's shuffle: byte k of every value together, for k = 0..3.
    constexpr std::size_t kBytes = sizeof(float);
    deflater.shuffled.resize(count * kBytes);
    const auto* in = reinterpret_cast<const unsigned char*>(values);
    for (std::size_t k = 0; k < kBytes; ++k) {
        unsigned char* out = deflater.shuffled.data() + k * count;
        for (std::size_t i = 0; i < count; ++i) out[i] = in[i * kBytes + k];
    }
    deflateReset(&stream);
    deflater.out.resize(deflateBound(&stream, static_cast<uLong>(deflater.shuffled.size())));
    stream.next_in = deflater.shuffled.data();
    stream.avail_in = static_cast<uInt>(deflater.shuffled.size());
    stream.next_out = deflater.out.data();
    stream.avail_out = static_cast<uInt>(deflater.out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
        throw ArchiveError("deflate: the chunk did not fit");
    return {deflater.out.begin(),
            deflater.out.begin() + static_cast<std::ptrdiff_t>(stream.total_out)};
}

void WriteStoredChunks(const std::string& path, const std::string& name, std::size_t records,
                       std::size_t width, std::size_t chunkRecords,
                       const std::vector<StoredChunk>& chunks) {
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);  // failures are reported as ArchiveError
    const Handle file(H5Fopen(path.c_str(), H5F_ACC_RDWR, H5P_DEFAULT), H5Fclose, path);
    const Handle data(H5Dopen2(file.Id(), name.c_str(), H5P_DEFAULT), H5Dclose, name);
    const hsize_t extent[2] = {records, width};
    errno = 0;
    if (H5Dset_extent(data.Id(), extent) < 0)
        throw ArchiveError(name + ": cannot grow it" + DiskCause());
    for (const StoredChunk& chunk : chunks) {
        const hsize_t offset[2] = {chunk.index * chunkRecords, 0};
        if (H5Dwrite_chunk(data.Id(), H5P_DEFAULT, 0, offset, chunk.bytes.size(),
                           chunk.bytes.data()) < 0)
            throw ArchiveError(name + ": cannot write a chunk" + DiskCause());
    }
}
