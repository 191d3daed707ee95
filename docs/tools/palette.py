"""The palette's colours, read from the picture "palette", which draws colour
c as a band 24 wide from x = -288 + 24 * c (reference/pictures/palette.inc),
so that the pages show exactly the colours the library draws."""
import png_pixels


def colours(header, palette_picture):
    """{colour name: "#rrggbb"} for every constant of the Colours section."""
    picture = png_pixels.read(palette_picture)
    origin_x, origin_y = picture.width // 2, picture.height // 2
    found = {}
    for constant in header.section("Colours").constants():
        x = -288 + 24 * int(constant.value) + 12
        found[constant.name] = f"#{picture.pixel(origin_x + x, origin_y - 100):06x}"
    return found
