// Makes photo-like JPEGs for the thumbnail benchmark: landscapes and close-ups built from smooth
// gradients, soft shapes, fractal texture and sensor grain, so that a decoder meets the amount
// of detail of a real photograph rather than flat colour or white noise. The same index always
// gives the same picture.
//
//   make_photos [--count N] [--first I] [--size W H] [--quality Q] OUTDIR
//
// writes OUTDIR/photo_II.jpg for I = first .. first + count - 1 (baseline, 4:2:0, the standard
// Huffman tables, as a camera writes them), using every core.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Options {
    int count = 40;
    int first = 1;
    int width = 4000;
    int height = 3000;
    int quality = 90;
    std::string outDir;
};

struct Rgb {
    float r = 0, g = 0, b = 0;
};

Rgb mix(const Rgb& a, const Rgb& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(const Rgb& a, float f) {
    return {a.r * f, a.g * f, a.b * f};
}

uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x8da6b343u) ^ (static_cast<uint32_t>(y) * 0xd8163841u);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

// A random value in [-1, 1] at each lattice point.
float lattice(int32_t x, int32_t y, uint32_t seed) {
    return static_cast<float>(hash(x, y, seed)) * (2.0f / 4294967296.0f) - 1.0f;
}

// Smoothly interpolated value noise, about [-1, 1], one feature per unit. The lattice repeats
// every mask + 1 cells; a mask of -1 (every bit) never repeats.
float latticeNoise(float x, float y, int32_t mask, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<int32_t>(fx);
    const auto iy = static_cast<int32_t>(fy);
    float tx = x - fx;
    float ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = lattice(ix & mask, iy & mask, seed);
    const float b = lattice((ix + 1) & mask, iy & mask, seed);
    const float c = lattice(ix & mask, (iy + 1) & mask, seed);
    const float d = lattice((ix + 1) & mask, (iy + 1) & mask, seed);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float valueNoise(float x, float y, uint32_t seed) {
    return latticeNoise(x, y, -1, seed);
}

// Fractal noise: octaves of value noise from wavelength `wavelength` pixels down, each half as
// long and `gain` times as strong as the one before.
float fractal(float x, float y, float wavelength, int octaves, float gain, uint32_t seed) {
    float sum = 0;
    float amplitude = 1;
    float norm = 0;
    float frequency = 1.0f / wavelength;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x * frequency, y * frequency, seed + 977u * i);
        norm += amplitude;
        amplitude *= gain;
        frequency *= 2;
    }
    return sum / norm;
}

// Periodic value noise: the lattice repeats every `period` cells (a power of two).
float tiledNoise(float x, float y, int32_t period, uint32_t seed) {
    return latticeNoise(x, y, period - 1, seed);
}

// A seamless square of fine fractal texture (wavelengths 32 pixels down to one), sampled with
// offsets and at several scales so that the repeat does not show.
class Texture {
public:
    static constexpr int Size = 1024;

    explicit Texture(uint32_t seed) : values_(static_cast<size_t>(Size) * Size) {
        for (int y = 0; y < Size; ++y) {
            for (int x = 0; x < Size; ++x) {
                float sum = 0;
                float amplitude = 1;
                float norm = 0;
                for (int wavelength = 32; wavelength >= 1; wavelength /= 2) {
                    sum += amplitude * tiledNoise(static_cast<float>(x) / wavelength,
                                                  static_cast<float>(y) / wavelength,
                                                  Size / wavelength, seed + wavelength);
                    norm += amplitude;
                    amplitude *= 0.95f;
                }
                values_[static_cast<size_t>(y) * Size + x] = sum / norm;
            }
        }
    }

    float at(int x, int y) const {
        return values_[static_cast<size_t>(y & (Size - 1)) * Size + (x & (Size - 1))];
    }

private:
    std::vector<float> values_;
};

// A picture being made: colour in floats (0..255) and, per pixel, how much fine texture the
// surface there has (sky little, foliage much).
struct Canvas {
    int width;
    int height;
    std::vector<Rgb> colour;
    std::vector<float> detail;

    Canvas(int w, int h)
        : width(w), height(h), colour(static_cast<size_t>(w) * h),
          detail(static_cast<size_t>(w) * h) {}
    size_t at(int x, int y) const { return static_cast<size_t>(y) * width + x; }
};

class Scene {
public:
    Scene(int index, Canvas& canvas)
        : canvas_(canvas), rng_(0x5eed0000u + static_cast<uint32_t>(index) * 7919u),
          seed_(static_cast<uint32_t>(rng_())) {}

    void paint() {
        // The large, smooth parts are painted at a quarter of the size and scaled up, as a
        // lens would soften them anyway; everything with edges is painted at full size.
        const bool closeUp = uniform(0, 1) < 0.25f;
        Canvas small((canvas_.width + Step - 1) / Step, (canvas_.height + Step - 1) / Step);
        if (closeUp) {
            paintCloseUp(small);
        } else {
            paintLandscape(small);
        }
        enlarge(small);
        const int plants = static_cast<int>(closeUp ? uniform(1, 4) : uniform(3, 12));
        for (int i = 0; i < plants; ++i) {
            paintPlant(closeUp);
        }
        const int things = static_cast<int>(uniform(6, 20));
        for (int i = 0; i < things; ++i) {
            const float size = canvas_.width * std::exp(uniform(std::log(0.01f), std::log(0.1f)));
            paintShape(uniform(0, canvas_.width), uniform(canvas_.height * 0.35f, canvas_.height),
                       size, randomColour(15, 240), uniform(0.05f, 0.4f));
        }
        const int pebbles = static_cast<int>(closeUp ? 0 : uniform(200, 1200));
        for (int i = 0; i < pebbles; ++i) {
            const float x = uniform(0, canvas_.width);
            const float y = canvas_.height * (1 - std::pow(uniform(0, 1), 2.0f) * (1 - horizon_));
            const float size = (2 + 14 * (y / canvas_.height - horizon_)) * uniform(0.5f, 2.0f);
            const Rgb around = canvas_.colour[canvas_.at(
                static_cast<int>(x), std::min(static_cast<int>(y), canvas_.height - 1))];
            const Rgb colour =
                uniform(0, 1) < 0.15f ? randomColour(60, 250) : scale(around, uniform(0.5f, 1.5f));
            paintShape(x, y, size, colour, 0.3f);
        }
    }

private:
    static constexpr int Step = 4;

    float uniform(float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(rng_);
    }

    Rgb randomColour(float lo, float hi) {
        return {uniform(lo, hi), uniform(lo, hi), uniform(lo, hi)};
    }

    // Sky with clouds, distant hills in haze, and ground with patches of soil.
    void paintLandscape(Canvas& small) {
        const int w = small.width;
        const int h = small.height;
        horizon_ = uniform(0.3f, 0.62f);
        const float horizon = h * horizon_;
        const bool dusk = uniform(0, 1) < 0.3f;
        const Rgb zenith = dusk ? Rgb{uniform(40, 90), uniform(40, 70), uniform(90, 140)}
                                : Rgb{uniform(30, 80), uniform(80, 130), uniform(170, 230)};
        const Rgb haze = dusk ? Rgb{uniform(220, 255), uniform(130, 180), uniform(70, 120)}
                              : Rgb{uniform(180, 225), uniform(200, 235), uniform(225, 250)};
        const Rgb cloud = randomColour(200, 250);
        const float cover = uniform(-0.3f, 0.4f);
        const Rgb hills = randomColour(60, 130);
        const Rgb groundNear = {uniform(30, 90), uniform(60, 120), uniform(10, 60)};
        const Rgb groundFar = {uniform(90, 160), uniform(100, 160), uniform(50, 100)};
        const Rgb soil = {uniform(90, 140), uniform(70, 100), uniform(40, 70)};
        const float hillHeight = h * uniform(0.03f, 0.15f);

        std::vector<float> ridge(w);
        for (int x = 0; x < w; ++x) {
            ridge[x] =
                horizon - hillHeight * (0.6f + 0.5f * fractal(x, 0, w * 0.3f, 7, 0.5f, seed_ + 11));
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                Rgb c;
                float detail;
                if (y < ridge[x]) {
                    const float t = std::pow(std::clamp(y / horizon, 0.0f, 1.0f), 1.6f);
                    c = mix(zenith, haze, t);
                    const float n = fractal(x, y * 2.2f, w * 0.25f, 6, 0.55f, seed_ + 21);
                    const float amount = std::clamp((n - cover) * 2.5f, 0.0f, 1.0f);
                    c = mix(c, scale(cloud, 0.85f + 0.15f * n), amount * (1 - 0.6f * t));
                    detail = 0.01f + 0.03f * amount;
                } else if (y < horizon) {
                    const float n = fractal(x, y, 80, 5, 0.6f, seed_ + 31);
                    c = mix(scale(hills, 0.85f + 0.3f * n), haze, 0.45f);
                    detail = 0.12f;
                } else {
                    const float depth = (y - horizon) / (h - horizon);
                    c = mix(groundFar, groundNear, std::pow(depth, 0.7f));
                    const float patches = fractal(x, y * 3.0f, 220, 5, 0.5f, seed_ + 41);
                    c = mix(c, soil, std::clamp(patches * 1.5f, 0.0f, 0.8f));
                    c = scale(c, 0.8f + 0.35f * fractal(x, y, 55, 4, 0.6f, seed_ + 51));
                    detail = 0.5f + 0.4f * depth;
                }
                small.colour[small.at(x, y)] = c;
                small.detail[small.at(x, y)] = detail;
            }
        }
    }

    // A near subject before a blurred background: large smooth blobs, little texture.
    void paintCloseUp(Canvas& small) {
        horizon_ = 0;
        const int w = small.width;
        const int h = small.height;
        const Rgb a = randomColour(20, 200);
        const Rgb b = randomColour(20, 200);
        const Rgb c = randomColour(100, 255);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const float n = 0.5f + 0.5f * fractal(x, y, 350, 4, 0.45f, seed_ + 61);
                const float m = 0.5f + 0.5f * fractal(x, y, 120, 3, 0.4f, seed_ + 71);
                small.colour[small.at(x, y)] = mix(mix(a, b, n), c, std::pow(m, 3.0f));
                small.detail[small.at(x, y)] = 0.02f;
            }
        }
    }

    // Scales the small canvas up to the full one, bilinearly.
    void enlarge(const Canvas& small) {
        for (int y = 0; y < canvas_.height; ++y) {
            const float sy = std::max(0.0f, (y + 0.5f) / Step - 0.5f);
            const int y0 = std::min(static_cast<int>(sy), small.height - 1);
            const int y1 = std::min(y0 + 1, small.height - 1);
            const float ty = sy - y0;
            for (int x = 0; x < canvas_.width; ++x) {
                const float sx = std::max(0.0f, (x + 0.5f) / Step - 0.5f);
                const int x0 = std::min(static_cast<int>(sx), small.width - 1);
                const int x1 = std::min(x0 + 1, small.width - 1);
                const float tx = sx - x0;
                const size_t a = small.at(x0, y0);
                const size_t b = small.at(x1, y0);
                const size_t c = small.at(x0, y1);
                const size_t d = small.at(x1, y1);
                const size_t i = canvas_.at(x, y);
                canvas_.colour[i] = mix(mix(small.colour[a], small.colour[b], tx),
                                        mix(small.colour[c], small.colour[d], tx), ty);
                canvas_.detail[i] = (small.detail[a] * (1 - tx) + small.detail[b] * tx) * (1 - ty) +
                                    (small.detail[c] * (1 - tx) + small.detail[d] * tx) * ty;
            }
        }
    }

    // A tree or bush: a trunk and a crown of many small leaves in shades of one green.
    void paintPlant(bool closeUp) {
        const float groundY = canvas_.height * std::max(horizon_, 0.3f);
        const float baseY = uniform(groundY, canvas_.height * 1.1f);
        const float nearness = (baseY - groundY) / (canvas_.height - groundY + 1);
        const float crown = canvas_.width * (closeUp ? uniform(0.1f, 0.25f)
                                                     : uniform(0.02f, 0.06f) * (0.5f + nearness));
        const float cx = uniform(0, canvas_.width);
        const float cy = baseY - crown * uniform(1.2f, 2.0f);
        const Rgb bark = {uniform(40, 90), uniform(30, 60), uniform(20, 40)};
        paintShape(cx, (cy + baseY) / 2, crown * 0.12f, bark, 0.3f, Shape::Post, (baseY - cy) / 2);
        const Rgb leaf = {uniform(20, 110), uniform(70, 170), uniform(10, 70)};
        const float leafSize = crown * uniform(0.04f, 0.09f);
        const int leaves = static_cast<int>(uniform(150, 500));
        for (int i = 0; i < leaves; ++i) {
            const float angle = uniform(0, 6.2832f);
            const float r = crown * std::sqrt(uniform(0, 1));
            const float shade =
                0.5f + 0.6f * (0.5f - 0.5f * std::sin(angle)) * r / crown + uniform(-0.15f, 0.15f);
            paintShape(cx + r * std::cos(angle), cy + r * std::sin(angle) * 0.85f,
                       leafSize * uniform(0.5f, 1.5f), scale(leaf, shade), 0.35f, Shape::Ellipse);
        }
    }

    enum class Shape { Any, Ellipse, Post };

    // An ellipse or a tilted box of half-width `size` (an upright post `tall` high) with
    // shading, soft edges and its own amount of surface texture.
    void paintShape(float cx, float cy, float size, const Rgb& base, float surface,
                    Shape shape = Shape::Any, float tall = 0) {
        const int w = canvas_.width;
        const int h = canvas_.height;
        const bool post = shape == Shape::Post;
        const bool ellipse =
            shape == Shape::Ellipse || (shape == Shape::Any && uniform(0, 1) < 0.6f);
        const float rx = std::max(size, 1.0f);
        const float ry = post ? tall : rx * uniform(0.4f, 2.2f);
        const float angle = post ? uniform(-0.05f, 0.05f) : uniform(-0.6f, 0.6f);
        const float cosA = std::cos(angle);
        const float sinA = std::sin(angle);
        const Rgb shade = scale(base, uniform(0.3f, 0.7f));
        const float edge = uniform(0.7f, 2.5f);
        const float reach = (ellipse ? std::max(rx, ry) : std::hypot(rx, ry)) + edge;
        const int x0 = std::max(0, static_cast<int>(cx - reach));
        const int x1 = std::min(w, static_cast<int>(cx + reach) + 1);
        const int y0 = std::max(0, static_cast<int>(cy - reach));
        const int y1 = std::min(h, static_cast<int>(cy + reach) + 1);
        const float lightX = uniform(0.3f, 0.8f);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const float dx = x - cx;
                const float dy = y - cy;
                const float u = (dx * cosA + dy * sinA) / rx;
                const float v = (-dx * sinA + dy * cosA) / ry;
                // Signed distance to the outline in pixels, roughly.
                float distance;
                if (ellipse) {
                    distance = (std::sqrt(u * u + v * v) - 1) * std::min(rx, ry);
                } else {
                    distance = std::max((std::abs(u) - 1) * rx, (std::abs(v) - 1) * ry);
                }
                const float cover = std::clamp(0.5f - distance / edge, 0.0f, 1.0f);
                if (cover <= 0) {
                    continue;
                }
                const float light = std::clamp(0.5f + 0.5f * (u * lightX + v * 0.8f), 0.0f, 1.0f);
                const size_t i = canvas_.at(x, y);
                canvas_.colour[i] = mix(canvas_.colour[i], mix(base, shade, light), cover);
                canvas_.detail[i] += (surface - canvas_.detail[i]) * cover;
            }
        }
    }

    Canvas& canvas_;
    std::mt19937 rng_;
    uint32_t seed_;
    float horizon_ = 0.5f; // as a fraction of the height; 0 when there is no sky
};

// Adds the fine texture, lens vignetting and sensor grain, and packs the rows into RGB bytes.
void develop(const Canvas& canvas, const Texture& texture, int index, std::vector<uint8_t>& rgb) {
    const int w = canvas.width;
    const int h = canvas.height;
    rgb.resize(static_cast<size_t>(w) * h * 3);
    uint64_t state = 0x9e3779b97f4a7c15ull * static_cast<uint64_t>(index + 1);
    const int ox = index * 389;
    const int oy = index * 211;
    const float halfW = w * 0.5f;
    const float halfH = h * 0.5f;
    const float vignette = (0.2f + 0.25f * static_cast<float>((index * 37) % 10) / 10.0f) /
                           (halfW * halfW + halfH * halfH);
    // The grain: each sample is the sum of two random bytes, a triangle close enough to
    // sensor noise, scaled to a standard deviation of about `noise` levels.
    const float noise = 2.0f + 2.0f * static_cast<float>((index * 53) % 10) / 10.0f;
    const float unit = noise * 2.45f / 255.0f;
    for (int y = 0; y < h; ++y) {
        uint8_t* out = rgb.data() + static_cast<size_t>(y) * w * 3;
        const float dy = y - halfH;
        for (int x = 0; x < w; ++x) {
            const size_t i = canvas.at(x, y);
            const float surface = 1.0f * texture.at(x + ox, y + oy) +
                                  0.8f * texture.at((x >> 1) + oy, (y >> 1) + ox) +
                                  0.8f * texture.at(x + oy, (y >> 2) + ox);
            const float dx = x - halfW;
            const float light =
                (1 + canvas.detail[i] * surface) * (1 - vignette * (dx * dx + dy * dy));
            state ^= state << 13; // xorshift64
            state ^= state >> 7;
            state ^= state << 17;
            auto sample = [&](int k) {
                return static_cast<float>(static_cast<int>((state >> (16 * k)) & 0xff) +
                                          static_cast<int>((state >> (16 * k + 8)) & 0xff) - 255) *
                       unit;
            };
            const float luma = sample(0);
            const Rgb& c = canvas.colour[i];
            const float channel[3] = {c.r * light + luma + 0.5f * sample(1),
                                      c.g * light + luma + 0.4f * sample(2),
                                      c.b * light + luma + 0.6f * sample(3)};
            for (int k = 0; k < 3; ++k) {
                out[x * 3 + k] = static_cast<uint8_t>(std::clamp(channel[k] + 0.5f, 0.0f, 255.0f));
            }
        }
    }
}

bool writeJpeg(const std::string& path, const std::vector<uint8_t>& rgb, int w, int h,
               int quality) {
    const std::string partial = path + ".part";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) {
        std::perror(partial.c_str());
        return false;
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr); // the default handler exits on an error
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.data() + static_cast<size_t>(cinfo.next_scanline) * w * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const bool ok = std::fclose(file) == 0 && std::rename(partial.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::perror(path.c_str());
    }
    return ok;
}

// One worker's pictures, in buffers that it keeps from one picture to the next.
class Darkroom {
public:
    Darkroom(const Options& options, const Texture& texture)
        : options_(options), texture_(texture), canvas_(options.width, options.height) {}

    bool make(int index) {
        Scene(index, canvas_).paint();
        develop(canvas_, texture_, index, rgb_);
        char name[32];
        std::snprintf(name, sizeof name, "/photo_%02d.jpg", index);
        return writeJpeg(options_.outDir + name, rgb_, options_.width, options_.height,
                         options_.quality);
    }

private:
    const Options& options_;
    const Texture& texture_;
    Canvas canvas_;
    std::vector<uint8_t> rgb_;
};

int usage() {
    std::fprintf(stderr, "usage: make_photos [--count N] [--first I] [--size W H] [--quality Q] "
                         "OUTDIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto number = [&](int& value) {
            if (i + 1 >= argc) {
                return false;
            }
            value = std::atoi(argv[++i]);
            return true;
        };
        bool ok = true;
        if (arg == "--count") {
            ok = number(options.count);
        } else if (arg == "--first") {
            ok = number(options.first);
        } else if (arg == "--size") {
            ok = number(options.width) && number(options.height);
        } else if (arg == "--quality") {
            ok = number(options.quality);
        } else if (!arg.empty() && arg[0] != '-' && options.outDir.empty()) {
            options.outDir = arg;
        } else {
            ok = false;
        }
        if (!ok) {
            return usage();
        }
    }
    if (options.outDir.empty() || options.count < 1 || options.width < 16 || options.height < 16 ||
        options.quality < 1 || options.quality > 100) {
        return usage();
    }

    const Texture texture(0x7e47u);
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        Darkroom darkroom(options, texture);
        for (int i = next++; i < options.count && !failed; i = next++) {
            if (!darkroom.make(options.first + i)) {
                failed = true;
            }
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < std::min<unsigned>(cores, options.count); ++i) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    return failed ? 1 : 0;
}
