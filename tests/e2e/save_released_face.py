"""Save pressed and released with the mouse, a slot chosen: while "保存完毕!" is open the button shows its
normal face without the dotted focus frame, on the first press and on a second one. The box opens inside the
button's Click handler, so the released face must be painted before Click is raised."""

import harness
from harness import check

SAVE_BUTTON = harness.save_button()
WIDTH, HEIGHT = 615 // harness.TWIPS_PER_PIXEL, 375 // harness.TWIPS_PER_PIXEL
BORDER = 3  # the dotted focus frame runs one pixel inside it, over the edge of the face
MIN_SPREAD = 24  # the faces are near grey; the caption's red ink and its smoothing are not
INSIDE = [(x, y) for y in range(BORDER, HEIGHT - BORDER) for x in range(BORDER, WIDTH - BORDER)]


def frame_ring(x, y):
    return x in (BORDER, WIDTH - 1 - BORDER) or y in (BORDER, HEIGHT - 1 - BORDER)


def caption_box(*images):
    """The points near caption ink in any of the images: the press moves the caption, so they are left out."""
    ink = [(x, y) for image in images for x, y in INSIDE if max(image(x, y)) - min(image(x, y)) > MIN_SPREAD]
    if not ink:
        return set()
    left, top = min(x for x, _ in ink) - 2, min(y for _, y in ink) - 2
    right, bottom = max(x for x, _ in ink) + 2, max(y for _, y in ink) + 2
    return {(x, y) for x, y in INSIDE if left <= x <= right and top <= y <= bottom}


def differences(image, reference):
    """(ring, face): the points of the focus-frame ring and of the face inside it where the two differ,
    each as (changed, compared), leaving out the caption."""
    caption = caption_box(image, reference)
    points = [p for p in INSIDE if p not in caption]
    ring = [p for p in points if frame_ring(*p)]
    face = [p for p in points if not frame_ring(*p)]
    return tuple(([p for p in part if image(*p) != reference(*p)], part) for part in (ring, face))


def save_released_face(session):
    app = session.start(session.folder("app", harness.slots_config([(5, 7, 3, 1)], screen=(1500, 750))))
    left, top = app.origin()

    def button():
        image = session.screenshot()
        return lambda x, y: image.pixel(left + SAVE_BUTTON[0] + x, top + SAVE_BUTTON[1] + y)

    app.focus()
    app.keys("Down", "Down")  # slot 2, not in config.ini yet, so the save shows
    rest = harness.wait_until(lambda: (lambda image: caption_box(image) and image)(button()), "Save painted")
    for press in ("first", "second"):
        session.xdotool("mousemove", "--window", app.window, *harness.centre(SAVE_BUTTON))
        session.xdotool("mousedown", "1")

        def pressed_face():
            image = button()
            (ring, ring_all), (face, face_all) = differences(image, rest)
            return image if 2 * len(ring) >= len(ring_all) and 2 * len(face) >= len(face_all) else None
        # What the box must not show: the pressed face and the focus frame, both unlike the normal face.
        pressed = harness.wait_until(pressed_face, f"the pressed face and the focus frame on Save ({press} press)")
        session.xdotool("mouseup", "1")
        message = app.wait_for_message()
        check(("no2", "f", "0") in harness.read_ini(app.config), "the box did not follow a save of slot 2")

        try:
            harness.wait_until(lambda: not any(changed for changed, _ in differences(button(), rest)),
                               "the normal face", timeout=2)
        except harness.Failure:
            image = button()
            (ring, _), (face, _) = differences(image, rest)
            still = [p for p in face if image(*p) == pressed(*p)]
            raise harness.Failure(
                f"{press} press, box open: Save is unlike its normal face at {len(face)} face points, "
                f"{len(still)} of them in the pressed colours, and at {len(ring)} points of the focus frame, "
                f"e.g. {[(p, image(*p)) for p in (ring + face)[:3]]}") from None
        app.close_message(message)


if __name__ == "__main__":
    harness.main(save_released_face)
