#include "gfx/JpegDecoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// Everything the library touches lives in this plain structure, so that a longjmp out of
// the library skips no C++ destructor. It is heap-allocated once per decode and never
// moved, because the library keeps pointers into it.
enum class TJpegPhase { jpHeader, jpStart, jpRows, jpFinish };
constexpr int JPEG_EOI_CODE = 0xD9;

struct TJpegContext {
    jpeg_decompress_struct Cinfo;
    jpeg_error_mgr Err;
    jpeg_progress_mgr Progress;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    bool Created;
    TJpegPhase Phase;
    bool HitEndOfFile;     // the source ran dry and supplied an end marker of its own
    int MaxScans;
};

TJpegContext* ContextOf(j_common_ptr cinfo)
{
    return static_cast<TJpegContext*>(cinfo->client_data);
}

// Replaces the library's error_exit, which would print and call exit().
void ErrorExit(j_common_ptr cinfo)
{
    TJpegContext* ctx = ContextOf(cinfo);
    (*cinfo->err->format_message)(cinfo, ctx->Message);
    std::longjmp(ctx->Jump, 1);
}

// Warnings are counted as usual, except those that mean the data ran out before the
// image was complete: the library would fill the rest of the picture with grey.
// - The file ends while the headers are read, or while the library reads every scan of a
//   progressive or multi-scan image up front: fatal, the image cannot be complete.
// - The file ends while rows of a single-scan image are decoded: only fatal when the
//   decoder then really lacks data (it reports hitting the end marker early); a file that
//   lacks nothing but its end marker decodes in full.
// - The coded data stops at an end-of-image marker while coefficients are still missing
//   (a header that claims more rows than are coded): fatal.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;   // trace messages
    TJpegContext* ctx = ContextOf(cinfo);
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF && ctx->Phase != TJpegPhase::jpRows && ctx->Phase != TJpegPhase::jpFinish) {
        (*cinfo->err->format_message)(cinfo, ctx->Message);
        std::longjmp(ctx->Jump, 1);
    }
    if (code == JWRN_JPEG_EOF)
        ctx->HitEndOfFile = true;
    if (code == JWRN_HIT_MARKER && ctx->Phase != TJpegPhase::jpFinish &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->unread_marker == JPEG_EOI_CODE) {
        if (ctx->HitEndOfFile)
            std::snprintf(ctx->Message, sizeof ctx->Message, "Premature end of JPEG file");
        else
            (*cinfo->err->format_message)(cinfo, ctx->Message);
        std::longjmp(ctx->Jump, 1);
    }
    cinfo->err->num_warnings++;
}

void OutputMessage(j_common_ptr)
{
    // Nothing is ever printed.
}

// Leaves the C boundary with a message of our own.
[[noreturn]] void Abort(TJpegContext* ctx, const char* message)
{
    std::snprintf(ctx->Message, sizeof ctx->Message, "%s", message);
    std::longjmp(ctx->Jump, 1);
}

// Stops streams with an absurd number of scans, which otherwise take very long to decode.
void ProgressMonitor(j_common_ptr cinfo)
{
    TJpegContext* ctx = ContextOf(cinfo);
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (ctx->MaxScans > 0 && dinfo->input_scan_number > ctx->MaxScans) {
        std::snprintf(ctx->Message, sizeof ctx->Message, "JPEG image has more than %d scans", ctx->MaxScans);
        std::longjmp(ctx->Jump, 1);
    }
}

// Owns the context and releases the library's state on every path.
class TJpegSession {
public:
    explicit TJpegSession(int maxScans) : FContext(std::make_unique<TJpegContext>())
    {
        FContext->MaxScans = maxScans;
    }
    ~TJpegSession()
    {
        if (FContext->Created)
            jpeg_destroy_decompress(&FContext->Cinfo);
    }
    TJpegSession(const TJpegSession&) = delete;
    TJpegSession& operator=(const TJpegSession&) = delete;

    TJpegContext& Context() { return *FContext; }
    [[noreturn]] void Fail() const { throw EJpegError(FContext->Message); }

private:
    std::unique_ptr<TJpegContext> FContext;
};

// --- The C boundary: these functions hold no C++ objects, so longjmp may leave them. ---

bool ReadHeader(TJpegContext& ctx, const std::uint8_t* data, std::size_t size, std::uint64_t memoryLimit)
{
    ctx.Cinfo.err = jpeg_std_error(&ctx.Err);
    ctx.Err.error_exit = ErrorExit;
    ctx.Err.emit_message = EmitMessage;
    ctx.Err.output_message = OutputMessage;
    ctx.Cinfo.client_data = &ctx;
    if (setjmp(ctx.Jump))
        return false;
    jpeg_create_decompress(&ctx.Cinfo);
    ctx.Created = true;
    ctx.Cinfo.mem->max_memory_to_use = static_cast<long>(memoryLimit);
    ctx.Progress.progress_monitor = ProgressMonitor;
    ctx.Cinfo.progress = &ctx.Progress;
    jpeg_mem_src(&ctx.Cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&ctx.Cinfo, TRUE);
    return true;
}

// Decodes every row; row y (from the top) starts at top + y * step. With quantization the
// library's palette indices are expanded through its colour map.
bool DecodeRows(TJpegContext& ctx, std::uint8_t* top, std::ptrdiff_t step, JDIMENSION width, JDIMENSION height,
                int quantizeColors)
{
    if (setjmp(ctx.Jump))
        return false;
    j_decompress_ptr cinfo = &ctx.Cinfo;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    if (quantizeColors > 0) {
        cinfo->out_color_space = JCS_RGB;
        cinfo->quantize_colors = TRUE;
        cinfo->desired_number_of_colors = quantizeColors;
    } else {
        cinfo->out_color_space = JCS_EXT_BGR;
    }
    ctx.Phase = TJpegPhase::jpStart;
    jpeg_start_decompress(cinfo);
    ctx.Phase = TJpegPhase::jpRows;
    if (cinfo->output_components != (quantizeColors > 0 ? 1 : 3))
        ERREXIT(cinfo, JERR_CONVERSION_NOTIMPL);
    if (cinfo->output_width != width || cinfo->output_height != height)
        Abort(&ctx, "JPEG output size differs from the image size");

    if (quantizeColors > 0) {
        JSAMPARRAY indices = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                        cinfo->output_width, 1);
        const JSAMPROW red = cinfo->colormap[0];
        const JSAMPROW green = cinfo->colormap[1];
        const JSAMPROW blue = cinfo->colormap[2];
        while (cinfo->output_scanline < cinfo->output_height) {
            std::uint8_t* out = top + step * static_cast<std::ptrdiff_t>(cinfo->output_scanline);
            if (jpeg_read_scanlines(cinfo, indices, 1) != 1)
                Abort(&ctx, "Premature end of JPEG file");
            const JSAMPROW in = indices[0];
            for (JDIMENSION x = 0; x < cinfo->output_width; ++x, out += 3) {
                out[0] = blue[in[x]];
                out[1] = green[in[x]];
                out[2] = red[in[x]];
            }
        }
    } else {
        constexpr int batch = 16;
        JSAMPROW rows[batch];
        while (cinfo->output_scanline < cinfo->output_height) {
            const JDIMENSION first = cinfo->output_scanline;
            JDIMENSION count = cinfo->output_height - first;
            if (count > batch)
                count = batch;
            for (JDIMENSION i = 0; i < count; ++i)
                rows[i] = top + step * static_cast<std::ptrdiff_t>(first + i);
            if (jpeg_read_scanlines(cinfo, rows, count) == 0)
                Abort(&ctx, "Premature end of JPEG file");
        }
    }
    ctx.Phase = TJpegPhase::jpFinish;
    jpeg_finish_decompress(cinfo);
    return true;
}

// --- End of the C boundary. ---

TJpegInfo InfoOf(const jpeg_decompress_struct& cinfo)
{
    TJpegInfo info;
    info.Width = static_cast<int>(cinfo.image_width);
    info.Height = static_cast<int>(cinfo.image_height);
    info.Components = cinfo.num_components;
    info.Progressive = cinfo.progressive_mode != 0;
    return info;
}

std::uint64_t MemoryLimit(std::uint64_t maxPixels)
{
    // Generous: coefficient buffers of a progressive image and the quantizer's work image
    // need well under 12 bytes a pixel; the rest is small fixed tables.
    const std::uint64_t limit = maxPixels * 12 + 64ull * 1024 * 1024;
    const std::uint64_t ceiling = static_cast<std::uint64_t>(static_cast<unsigned long>(-1) >> 1);
    return limit < ceiling ? limit : ceiling;
}

} // namespace

void TJpegDecoder::SetQuantizeColors(int value)
{
    if (value != 0 && (value < 2 || value > 256))
        throw EJpegError("JPEG quantization needs 2 to 256 colours, not " + std::to_string(value));
    FQuantizeColors = value;
}

void TJpegDecoder::CheckLimits(const TJpegInfo& info) const
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(info.Width) * static_cast<std::uint64_t>(info.Height);
    if (info.Width > FMaxDimension || info.Height > FMaxDimension || pixels > FMaxPixels)
        throw EJpegError("JPEG image is too large (" + std::to_string(info.Width) + " x " +
                         std::to_string(info.Height) + " pixels)");
}

TJpegInfo TJpegDecoder::ReadInfo(std::span<const std::uint8_t> data) const
{
    TJpegSession session(FMaxScans);
    if (!ReadHeader(session.Context(), data.data(), data.size(), MemoryLimit(FMaxPixels)))
        session.Fail();
    return InfoOf(session.Context().Cinfo);
}

TBitmap TJpegDecoder::Decode(std::span<const std::uint8_t> data) const
{
    TJpegSession session(FMaxScans);
    TJpegContext& ctx = session.Context();
    if (!ReadHeader(ctx, data.data(), data.size(), MemoryLimit(FMaxPixels)))
        session.Fail();
    const TJpegInfo info = InfoOf(ctx.Cinfo);
    if (ctx.Cinfo.jpeg_color_space == JCS_CMYK || ctx.Cinfo.jpeg_color_space == JCS_YCCK)
        throw EJpegError("CMYK JPEG images are not supported");
    CheckLimits(info);

    TBitmap bitmap(info.Width, info.Height, TPixelFormat::pf24bit);
    std::uint8_t* top = bitmap.ScanLine(0);
    const auto step = -static_cast<std::ptrdiff_t>(bitmap.Stride());
    if (!DecodeRows(ctx, top, step, ctx.Cinfo.image_width, ctx.Cinfo.image_height, FQuantizeColors))
        session.Fail();
    return bitmap;
}

TBitmap DecodeJpeg(std::span<const std::uint8_t> data)
{
    return TJpegDecoder().Decode(data);
}
