#pragma once

// Dots per inch of a recorded page, and the conversion resolution unless another is chosen.
inline constexpr int PageResolution = 96;

// Units of the preview's lengths. Each but mmPixel has a fixed number of units per inch.
enum TUnits {
    mmPixel,      // pixel at the conversion resolution
    mmLoMetric,   // 0.1 mm
    mmHiMetric,   // 0.01 mm
    mmLoEnglish,  // 0.1 inch
    mmHiEnglish,  // 0.01 inch
    mmTWIPS,      // 1/1440 inch
};

// Converts through whole pixels at dpi, rounding in each step, even when the units are the
// same: at 96 dpi 2100 in mmLoMetric becomes 794 pixels and then 2101.
int ConvertUnits(int value, int dpi, TUnits fromUnits, TUnits toUnits);

// A length in tenths of a millimetre without passing through pixels; dpi is used for mmPixel.
int ToLoMetric(int value, int dpi, TUnits units);
