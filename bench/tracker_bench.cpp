// A million allocate/free pairs in random order with a million blocks live, through the program's
// tracked operator new and through the plain heap. Prints both times and their ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

namespace {

constexpr size_t kLive = 1000000;
constexpr size_t kPairs = 1000000;

struct Plan {
    std::vector<size_t> sizes;     // size of each block made
    std::vector<uint32_t> victim;  // which live block each pair releases
};

Plan makePlan() {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<size_t> size(8, 128);
    std::uniform_int_distribution<uint32_t> pick(0, kLive - 1);
    Plan plan;
    for (size_t i = 0; i < kLive + kPairs; ++i) plan.sizes.push_back(size(random));
    for (size_t i = 0; i < kPairs; ++i) plan.victim.push_back(pick(random));
    return plan;
}

template <typename Allocate, typename Release>
double run(const Plan& plan, Allocate allocate, Release release) {
    std::vector<void*> live(kLive);
    for (size_t i = 0; i < kLive; ++i) live[i] = allocate(plan.sizes[i]);
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < kPairs; ++i) {
        void*& slot = live[plan.victim[i]];
        release(slot);
        slot = allocate(plan.sizes[kLive + i]);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (void* block : live) release(block);
    return seconds;
}

}  // namespace

int main() {
    Plan plan = makePlan();
    double tracked = run(
        plan, [](size_t n) { return ::operator new(n); }, [](void* p) { ::operator delete(p); });
    double plain = run(
        plan, [](size_t n) { return std::malloc(n); }, [](void* p) { std::free(p); });
    std::printf("tracker: %.3f s for %zu pairs with %zu live blocks\n", tracked, kPairs, kLive);
    std::printf("plain heap: %.3f s\n", plain);
    std::printf("ratio tracker/plain: %.2f\n", tracked / plain);
    return 0;
}
