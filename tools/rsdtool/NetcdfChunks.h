#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One stored chunk of a float variable over (time, wavelength), already through the
// variable's filters (shuffle, then deflate), as HDF5 keeps it in the file.
struct StoredChunk {
    std::size_t index = 0;  // along time: the chunk of records index * chunk records on
    std::vector<unsigned char> bytes;
};

// values (count floats) byte-shuffled and deflated into a zlib stream. Deflate level 1 with
// the run-length strategy: shuffled spectra are mostly runs of equal sign and exponent bytes,
// and any zlib reader inflates it.
std::vector<unsigned char> FilterChunk(const float* values, std::size_t count);

// Writes chunks of the float variable name of the NetCDF-4 file path, which grows to records
// along time; chunkRecords x width is its chunk shape. Through HDF5 directly, as NetCDF has
// no call for data compressed by the caller; HDF5 shares the file with the NetCDF library's
// handle when that is open. Throws ArchiveError.
void WriteStoredChunks(const std::string& path, const std::string& name, std::size_t records,
                       std::size_t width, std::size_t chunkRecords,
                       const std::vector<StoredChunk>& chunks);
