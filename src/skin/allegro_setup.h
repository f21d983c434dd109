#pragma once

// Allegro for bitmaps only: no system driver, every colour conversion, 32-bit
// pixels laid out as 0x00RRGGBB so frames reach the display without conversion.
void setUpAllegro();
