#include "platform/gfxx/ImageDecoder.h"

#include "platform/gfxx/BmpReader.h"
#include "platform/gfxx/DdsReader.h"
#include "platform/gfxx/JpgReader.h"

std::optional<DecodedImage> DecodeImageFile(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr)
        return std::nullopt;
    if (IsDdsFile(data, size))
        return ReadDds(data, size);
    if (IsBmpFile(data, size))
        return ReadBmp(data, size);
    if (IsJpgFile(data, size))
        return ReadJpg(data, size);
    return std::nullopt;
}
