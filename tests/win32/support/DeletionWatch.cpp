// DeletionWatch.cpp: the global operator new and delete of the test
// programs, which count the deletions of watched objects.
#include "tests/win32/support/DeletionWatch.h"

#include "platform/window/Wnd.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <mutex>
#include <new>

namespace {

struct Watched {
    HWND window;
    const void* block;
    int deletions;
    bool reused;   // handed out again: its later deletions are another object's
};

constexpr int kMostWatched = 256;
Watched g_watched[kMostWatched];
int g_watchedCount = 0;
std::atomic<bool> g_watching{false};
constexpr int kMostCounted = 4096;
const void* g_counted[kMostCounted];   // the blocks made since the census began and alive
int g_countedCount = 0;
std::atomic<bool> g_counting{false};
std::atomic<bool> g_poison{false};
std::mutex g_lock;   // the watchdog threads of the storms allocate too

void Allocated(const void* block)
{
    if (!g_watching.load() && !g_counting.load())
        return;
    const std::lock_guard<std::mutex> hold(g_lock);
    if (g_counting.load() && g_countedCount < kMostCounted)
        g_counted[g_countedCount++] = block;
    for (int i = 0; i < g_watchedCount; ++i)
        if (g_watched[i].block == block && g_watched[i].deletions > 0)
            g_watched[i].reused = true;
}

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    if (g_watching.load() || g_counting.load()) {
        const std::lock_guard<std::mutex> hold(g_lock);
        for (int i = 0; i < g_countedCount; ++i)
            if (g_counted[i] == block)
                g_counted[i] = g_counted[--g_countedCount];
        for (int i = 0; i < g_watchedCount; ++i)
            if (g_watched[i].block == block && !g_watched[i].reused)
                ++g_watched[i].deletions;
    }
    if (g_poison.load()) {
        std::memset(block, 0xDD, _msize(block));
        return;   // kept, never reused
    }
    std::free(block);
}

} // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        throw std::bad_alloc();
    Allocated(block);
    return block;
}
void operator delete(void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }

namespace test {

DeletionWatch::DeletionWatch()
{
    const std::lock_guard<std::mutex> hold(g_lock);
    g_watchedCount = 0;
    g_watching = true;
}

DeletionWatch::~DeletionWatch() { g_watching = false; }

bool DeletionWatch::Watch(HWND window)
{
    const CWnd* object = CWnd::FromHandlePermanent(window);
    const std::lock_guard<std::mutex> hold(g_lock);
    if (object == nullptr || g_watchedCount == kMostWatched)
        return false;
    // The block that operator new gave is the most derived object's.
    g_watched[g_watchedCount++] = {window, dynamic_cast<const void*>(object), 0, false};
    return true;
}

int DeletionWatch::Deletions(HWND window) const
{
    const std::lock_guard<std::mutex> hold(g_lock);
    for (int i = 0; i < g_watchedCount; ++i)
        if (g_watched[i].window == window)
            return g_watched[i].deletions;
    return -1;
}

WindowObjectCensus::WindowObjectCensus()
{
    const std::lock_guard<std::mutex> hold(g_lock);
    g_countedCount = 0;
    g_counting = true;
}

WindowObjectCensus::~WindowObjectCensus() { g_counting = false; }

int WindowObjectCensus::Live() const
{
    const CWnd plain;
    const void* table = nullptr;
    std::memcpy(&table, static_cast<const void*>(&plain), sizeof table);
    const std::lock_guard<std::mutex> hold(g_lock);
    int live = 0;
    for (int i = 0; i < g_countedCount; ++i) {
        const void* first = nullptr;
        if (_msize(const_cast<void*>(g_counted[i])) >= sizeof(CWnd)) {
            std::memcpy(&first, g_counted[i], sizeof first);
            live += first == table ? 1 : 0;
        }
    }
    return live;
}

void PoisonFreedBlocks(bool poison) { g_poison = poison; }

} // namespace test
