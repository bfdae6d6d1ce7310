// delta_e OURS.ppm REFERENCE.ppm : the colour difference (CIEDE2000) between two sRGB pictures of
// one size, pixel by pixel: prints the mean and the maximum. A native tool for bench/colour_run.sh.
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
};

bool ReadPpm(const char* path, Image& image) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  if (!(in >> magic >> image.width >> image.height >> maximum) || magic != "P6" || maximum != 255) return false;
  in.get();
  image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  return static_cast<bool>(
      in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size())));
}

using Lab = std::array<double, 3>;

// sRGB (D65) to CIELAB with the D65 white.
Lab ToLab(const unsigned char* p) {
  double linear[3];
  for (int i = 0; i < 3; ++i) {
    const double v = p[i] / 255.0;
    linear[i] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  }
  const double x = (0.4124564 * linear[0] + 0.3575761 * linear[1] + 0.1804375 * linear[2]) / 0.95047;
  const double y = 0.2126729 * linear[0] + 0.7151522 * linear[1] + 0.0721750 * linear[2];
  const double z = (0.0193339 * linear[0] + 0.1191920 * linear[1] + 0.9503041 * linear[2]) / 1.08883;
  const auto f = [](double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
  return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

double Degrees(double radians) { return radians * 180.0 / M_PI; }
double Radians(double degrees) { return degrees * M_PI / 180.0; }

// CIEDE2000 (Sharma, Wu and Dalal's formulation), kL = kC = kH = 1.
double DeltaE2000(const Lab& a, const Lab& b) {
  const double c1 = std::hypot(a[1], a[2]), c2 = std::hypot(b[1], b[2]), cMean = (c1 + c2) / 2;
  const double g = 0.5 * (1 - std::sqrt(std::pow(cMean, 7) / (std::pow(cMean, 7) + std::pow(25.0, 7))));
  const double a1 = (1 + g) * a[1], a2 = (1 + g) * b[1];
  const double cp1 = std::hypot(a1, a[2]), cp2 = std::hypot(a2, b[2]);
  const auto hue = [](double bb, double aa) {
    if (bb == 0 && aa == 0) return 0.0;
    const double h = Degrees(std::atan2(bb, aa));
    return h < 0 ? h + 360 : h;
  };
  const double h1 = hue(a[2], a1), h2 = hue(b[2], a2);
  const double dL = b[0] - a[0], dC = cp2 - cp1;
  double dh = 0;
  if (cp1 * cp2 != 0) dh = std::abs(h2 - h1) <= 180 ? h2 - h1 : (h2 - h1 > 180 ? h2 - h1 - 360 : h2 - h1 + 360);
  const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(Radians(dh / 2));
  const double lMean = (a[0] + b[0]) / 2, cpMean = (cp1 + cp2) / 2;
  double hMean = h1 + h2;
  if (cp1 * cp2 != 0)
    hMean = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2 : (h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2);
  const double t = 1 - 0.17 * std::cos(Radians(hMean - 30)) + 0.24 * std::cos(Radians(2 * hMean)) +
                   0.32 * std::cos(Radians(3 * hMean + 6)) - 0.20 * std::cos(Radians(4 * hMean - 63));
  const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
  const double rc = 2 * std::sqrt(std::pow(cpMean, 7) / (std::pow(cpMean, 7) + std::pow(25.0, 7)));
  const double sl = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
  const double sc = 1 + 0.045 * cpMean, sh = 1 + 0.015 * cpMean * t;
  const double rt = -std::sin(Radians(2 * dTheta)) * rc;
  return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

}  // namespace

int main(int argc, char** argv) {
  Image ours, reference;
  if (argc != 3 || !ReadPpm(argv[1], ours) || !ReadPpm(argv[2], reference) || ours.width != reference.width ||
      ours.height != reference.height) {
    std::fprintf(stderr, "usage: delta_e OURS.ppm REFERENCE.ppm (binary PPMs of one size)\n");
    return 2;
  }
  // The published test pair of Sharma et al.: 2.0425.
  if (std::abs(DeltaE2000({50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}) - 2.0425) > 1e-4) return 3;
  double sum = 0, worst = 0;
  const std::size_t pixels = ours.rgb.size() / 3;
  for (std::size_t i = 0; i < pixels; ++i) {
    const double d = DeltaE2000(ToLab(&ours.rgb[i * 3]), ToLab(&reference.rgb[i * 3]));
    sum += d;
    worst = std::max(worst, d);
  }
  std::printf("%.3f %.3f\n", sum / static_cast<double>(pixels), worst);
  return 0;
}
