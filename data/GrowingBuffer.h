// A block of bytes that grows by realloc: the C library moves large blocks by remapping their pages rather
// than copying them, so growing to tens of megabytes never holds the old and the new block at once.
#pragma once

#include <cstddef>
#include <memory>

class GrowingBuffer {
public:
    void append(const void* bytes, std::size_t count);
    // Gives the unused tail back once the block is complete.
    void shrinkToFit();

    const unsigned char* data() const { return m_bytes.get(); }
    std::size_t size() const { return m_size; }

private:
    void reserveExactly(std::size_t capacity);

    struct FreeDeleter {
        void operator()(unsigned char* bytes) const;
    };
    std::unique_ptr<unsigned char, FreeDeleter> m_bytes;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
