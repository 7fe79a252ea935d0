[config]
IsWindowed = 1
ColorDepth = 32
UseRGB = 0
