#pragma once
// Shared by the platform JPEG decoders behind ReadJpeg.

// Raises EPictureError unless a decoded picture of that size is within MaxImageSide and MaxPicturePixels.
void CheckJpegSize(int width, int height);
