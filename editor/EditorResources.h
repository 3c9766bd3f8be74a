// Makes the plug-in's embedded images available to the toolkit's bitmaps.
#pragma once

void installEditorImages();
