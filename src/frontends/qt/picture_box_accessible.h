#pragma once
// Screen readers meet a picture box as an image, not as the frame it is drawn in, and hear what it
// holds from its description (PictureBox keeps that up to date).
namespace stepwise::qt {

// Makes every PictureBox answer with the image role; call before the first one is created.
void installPictureBoxAccessibility();

}  // namespace stepwise::qt
