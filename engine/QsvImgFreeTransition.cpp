// The engine's cross-fade: starting, stopping and joining the worker, and the blend.

#include <algorithm>
#include <cstring>
#include <exception>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/DoTransitionThread.h"
#include "engine/QsvImgFree.h"
#include "gfx/MulDiv.h"
#include "platform/Display.h"
#include "platform/ScopeGuard.h"

void T_QsvImgFree::StartTransition()
{
    if (FadeWorker) {
        // At most one worker. One that has dropped Fading is past its last step (or was
        // stopped and has ended): it is joined, even if its thread has not quite returned.
        if (Fading && !FadeWorker->Finished())
            return;
        FadeWorker->WaitFor();
        const std::exception_ptr failure = FadeWorker->FatalException();
        FadeWorker.reset();
        // The worker's failure is reported here, on the main thread, once.
        if (failure)
            std::rethrow_exception(failure);
    }
    // Raised here and not only by the worker: between this return and the worker's first
    // instruction the main thread must already see the fade as running.
    Fading = true;
    FadeWorker = TThread::Create<T_DoTransitionThread>(true, *this);
    TScopeGuard undo([this] {
        Fading = false;
        FadeWorker.reset();
    });
    FadeWorker->Start();
    undo.Dismiss();
}

void T_QsvImgFree::StopTransition()
{
    if (Fading && FadeWorker)
        FadeWorker->Terminate();
}

void T_QsvImgFree::WaitForTransition()
{
    if (FadeWorker)
        FadeWorker->WaitFor();
}

void T_QsvImgFree::NotifyTransitionDone()
{
    if (FDisplay)
        FDisplay->Wake();
}

void T_QsvImgFree::BlendFrames(TBitmap& work, const TBitmap& next, int percent)
{
    if (work.PixelFormat() != TPixelFormat::pf32bit || next.PixelFormat() != TPixelFormat::pf32bit)
        return;
    const int a = MulDiv(256, std::clamp(percent, 0, 100), 100);
    const std::size_t pixels = std::min(static_cast<std::size_t>(std::max(work.Width(), 0)) *
                                            static_cast<std::size_t>(std::max(work.Height(), 0)),
                                        std::min(work.ByteCount(), next.ByteCount()) / 4);
    // w + floor(a * (x - w) / 256) equals floor((a * x + (256 - a) * w) / 256): both sides
    // differ by exactly w. The second form stays within 0..65280, so it runs in 16-bit
    // lanes. The weights of the fourth byte (0 and 256) give that byte back unchanged.
    const std::uint16_t keep = static_cast<std::uint16_t>(256 - a);
    const std::uint16_t take = static_cast<std::uint16_t>(a);
    std::uint8_t* __restrict w = work.Bits();
    const std::uint8_t* __restrict x = next.Bits();
    const std::size_t bytes = pixels * 4;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Four pixels at a time, each byte widened to 16 bits.
    const __m128i zero = _mm_setzero_si128();
    const __m128i nextWeight = _mm_set_epi16(0, take, take, take, 0, take, take, take);
    const __m128i workWeight = _mm_set_epi16(256, keep, keep, keep, 256, keep, keep, keep);
    for (; i + 16 <= bytes; i += 16) {
        const __m128i wv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + i));
        const __m128i xv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i));
        const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(xv, zero), nextWeight),
                                          _mm_mullo_epi16(_mm_unpacklo_epi8(wv, zero), workWeight));
        const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(xv, zero), nextWeight),
                                           _mm_mullo_epi16(_mm_unpackhi_epi8(wv, zero), workWeight));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(w + i),
                         _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8)));
    }
#endif
    const std::uint16_t nextWeights[4] = {take, take, take, 0};
    const std::uint16_t workWeights[4] = {keep, keep, keep, 256};
    for (; i < bytes; i += 4) {
        for (std::size_t c = 0; c < 4; ++c) {
            const unsigned sum = static_cast<unsigned>(nextWeights[c]) * x[i + c] +
                                 static_cast<unsigned>(workWeights[c]) * w[i + c];
            w[i + c] = static_cast<std::uint8_t>(sum >> 8);
        }
    }
}
