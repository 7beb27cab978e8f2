#pragma once
// Mip levels of decoded images: the full chain length and box-filtered smaller levels.
#include "platform/gfxx/ImageData.h"

// Levels from the given size down to 1 x 1 (x 1).
unsigned FullMipChainLength(unsigned width, unsigned height, unsigned depth = 1);
// The next smaller level (each side halved, at least 1), each texel the average of the 2 x 2
// (x 2) texels it covers, channel by channel.
ImageLevel HalveLevel(const ImageLevel& level);
// Makes every face hold exactly `levels` levels: drops levels beyond, and adds missing ones by
// halving the last level the file gave.
void ResizeMipChain(DecodedImage& image, unsigned levels);
