// Growth by realloc for the result sets' row storage.
#include "data/GrowingBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "data/DbError.h"

void GrowingBuffer::append(const void* bytes, std::size_t count) {
    if (m_size + count > m_capacity) {
        reserveExactly(std::max(m_capacity * 2, m_size + count + 4096));
    }
    std::memcpy(m_bytes.get() + m_size, bytes, count);
    m_size += count;
}

void GrowingBuffer::shrinkToFit() {
    if (m_capacity > m_size) {
        reserveExactly(m_size);
    }
}

void GrowingBuffer::reserveExactly(std::size_t capacity) {
    void* grown = std::realloc(m_bytes.get(), std::max<std::size_t>(capacity, 1));
    if (grown == nullptr) {
        throw DbError("There is not enough memory to read the result of the query.");
    }
    static_cast<void>(m_bytes.release());
    m_bytes.reset(static_cast<unsigned char*>(grown));
    m_capacity = capacity;
}

void GrowingBuffer::FreeDeleter::operator()(unsigned char* bytes) const {
    std::free(bytes);
}
