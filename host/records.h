// Storage for the scene's many small records (list nodes, corner records,
// vertices, surfaces): appended one at a time, never moved, freed together.
// It takes its memory in chunks that grow with the scene, and asks for large
// chunks to be backed by huge pages, so that a scene of millions of records
// costs a few hundred page faults instead of tens of thousands.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(_WIN32)
#include <malloc.h>
#elif defined(__linux__)
#include <sys/mman.h>
#endif

namespace stand_in {

// Asks for a large block of memory that will be filled soon to be backed by
// huge pages (where the system has them): its pages need not fault in one
// by one.
inline void advise_huge_pages(void* memory, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const size_t page = 4096;
    const size_t start = (reinterpret_cast<size_t>(memory) + page - 1) / page * page;
    const size_t end = reinterpret_cast<size_t>(memory) + bytes;
    if (end > start + page)
        madvise(reinterpret_cast<void*>(start), (end - start) / page * page, MADV_HUGEPAGE);
#else
    (void)memory;
    (void)bytes;
#endif
}

template <typename T>
class Records {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "records are plain data");

public:
    Records() = default;
    // count value-initialised records, in one chunk.
    explicit Records(size_t count)
    {
        if (count == 0)
            return;
        add_chunk(count);
        for (size_t i = 0; i < count; ++i)
            new (&chunks_.back().data[i]) T();
        chunks_.back().size = count;
        size_ = count;
    }
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;
    ~Records()
    {
        for (Chunk& chunk : chunks_)
            release(chunk.data);
    }

    void swap(Records& other) noexcept
    {
        chunks_.swap(other.chunks_);
        std::swap(size_, other.size_);
    }

    T* push_back(const T& value)
    {
        if (chunks_.empty() || chunks_.back().size == chunks_.back().capacity)
            add_chunk(chunks_.empty() ? first_chunk : std::min(chunks_.back().capacity * 2, largest_chunk));
        Chunk& chunk = chunks_.back();
        T* record = new (&chunk.data[chunk.size++]) T(value);
        ++size_;
        return record;
    }

    size_t size() const { return size_; }

    // The record at index, counting from the first appended.
    T& operator[](size_t index)
    {
        for (Chunk& chunk : chunks_) {
            if (index < chunk.size)
                return chunk.data[index];
            index -= chunk.size;
        }
        std::abort();
    }

    template <typename Visit>
    void for_each(Visit visit)
    {
        for (Chunk& chunk : chunks_)
            for (size_t i = 0; i < chunk.size; ++i)
                visit(chunk.data[i]);
    }

private:
    struct Chunk {
        T* data;
        size_t size;
        size_t capacity;
    };

    static constexpr size_t huge_page = size_t(2) << 20;
    static constexpr size_t first_chunk = 256;
    static constexpr size_t largest_chunk = 8 * huge_page / sizeof(T);

    void add_chunk(size_t capacity)
    {
        size_t bytes = capacity * sizeof(T);
        const bool huge = bytes >= huge_page;
        const size_t alignment = huge ? huge_page : 64;
        bytes = (bytes + alignment - 1) / alignment * alignment;
#if defined(_WIN32)
        void* memory = _aligned_malloc(bytes, alignment);
#else
        void* memory = std::aligned_alloc(alignment, bytes);
#endif
        if (memory == nullptr)
            throw std::bad_alloc();
        if (huge)
            advise_huge_pages(memory, bytes);
        chunks_.push_back(Chunk{static_cast<T*>(memory), 0, bytes / sizeof(T)});
    }

    static void release(void* memory)
    {
#if defined(_WIN32)
        _aligned_free(memory);
#else
        std::free(memory);
#endif
    }

    std::vector<Chunk> chunks_;
    size_t size_ = 0;
};

}  // namespace stand_in
