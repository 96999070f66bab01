#!/usr/bin/python3
"""browser_test.py PAGE_DIR: the page, served from 127.0.0.1, in headless Chromium under Selenium,
sent the browser's own key events, checked by the canvas's pixels; prints the load time and idle
CPU. A missing browser is an error."""

import base64, functools, http.server, io, os, sys, tempfile, threading, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sdl"))
from e2e import (FILLS, ORDER_PAGE, asset, check, check_num_lock, column_cells,  # noqa: E402
                 near, shows_field, wait_for)

try:
    from PIL import Image
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    MISSING = []
except ImportError as error:
    MISSING = [error.name]

BROWSER, DRIVER = "/usr/bin/chromium", "/usr/bin/chromedriver"
CANVAS = (None, 0, 0, 320, 400)  # the canvas is the main window's client area
d = None  # the driver

def processes_under(root):
    """{pid: (CPU nanoseconds, is a renderer)} of every process below root."""
    procs, found = {}, {root}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            stat, sched, cmd = (open("/proc/%s/%s" % (pid, name)).read()
                                for name in ("stat", "schedstat", "cmdline"))
            procs[int(pid)] = (int(stat.rsplit(")", 1)[1].split()[1]), int(sched.split()[0]),
                               "=renderer" in cmd)
        except (OSError, IndexError):
            pass
    for _ in range(8):  # generations: driver, browser, zygotes, renderers
        found |= {pid for pid, (ppid, _, _) in procs.items() if ppid in found}
    return {pid: procs[pid][1:] for pid in found if pid != root and pid in procs}

def js(script, *args):
    return d.execute_script(script, *args)

def key(code, name, vk, down=True, repeat=False):
    d.execute_cdp_cmd("Input.dispatchKeyEvent", {
        "type": "keyDown" if down else "keyUp", "code": code, "key": name, "autoRepeat": repeat,
        "windowsVirtualKeyCode": vk, "location": 3 if code.startswith("Numpad") else 0})

def press(code, name, vk, repeats=0):
    for n in range(repeats + 1):
        key(code, name, vk, repeat=n > 0)
    key(code, name, vk, down=False)

def image(selector="#canvas"):
    url = js("return document.querySelector(arguments[0]).toDataURL()", selector)
    return Image.open(io.BytesIO(base64.b64decode(url.split(",", 1)[1]))).convert("RGB")

def shown(element):
    return js("return !%s.hidden" % element)

def playing():
    """The preview pair (a kind, or the special cell) shows only while a game runs."""
    return any(near(image().getpixel((275, 60)), fill)
               for fill in FILLS + [asset("cell8").getpixel((3, 12))])

def hold_drop_until(done):
    """Keypad 2 held, auto-repeating as a keyboard does, until done() and a little after."""
    end, tail = time.monotonic() + 180, 5
    key("Numpad2", "2", 98)
    while tail:
        check(time.monotonic() < end, "the game did not end with keypad 2 held")
        tail -= 1 if tail < 5 or done() else 0
        key("Numpad2", "2", 98, repeat=True)
        time.sleep(0.03)
    key("Numpad2", "2", 98, down=False)

def play(service_pid, url):
    d.get(url)
    first = wait_for("the first frame", lambda: js("return qmPage.firstFrameMs"), 30)
    size = js("const r = canvas.getBoundingClientRect(); return [r.width, r.height]")
    check(size == [320, 400], "canvas %s CSS pixels" % size)
    check(shows_field(image(), 0, 0), "the canvas shows no field")
    time.sleep(3)  # the browser compiles the wasm again in the background at first
    before, start = processes_under(service_pid), time.monotonic()
    time.sleep(10)
    after, core = processes_under(service_pid), 1e7 * (time.monotonic() - start)
    used = {p: (ns - before.get(p, (0,))[0], renderer) for p, (ns, renderer) in after.items()}
    print("page load to first frame: %.0f ms; idle CPU over 10 s at the start screen: %.3f %% "
          "of a core in the tab, %.2f %% in the whole browser" % (
              first, sum(ns for ns, renderer in used.values() if renderer) / core,
              sum(ns for ns, _ in used.values()) / core))
    press("Enter", "Enter", 13)
    wait_for("the first pair in column 3", lambda: column_cells(image(), CANVAS, 3), 10)
    check_num_lock(image, CANVAS, lambda: press("Numpad4", "ArrowLeft", 37),
                   lambda: press("Numpad4", "4", 100))
    js("window.qmOpened = []; window.open = (url) => { qmOpened.push(url); return null; }")
    opened = lambda: js("return qmOpened")  # noqa: E731
    hold_drop_until(lambda: shown("promo"))
    check(opened() == [], "keypad 2 held from play opened the order page: %s" % opened())
    place = js("const p = promo.getBoundingClientRect(), c = canvas.getBoundingClientRect();"
               "return [p.left - c.left, p.top - c.top]")
    check(place == [272, 133], "the promotion at %s beside the canvas" % place)
    check(image("#promo .client").getpixel((60, 80)) == asset("promo").getpixel((60, 80)),
          "the promotion's picture")
    press("KeyA", "a", 65, repeats=10)
    wait_for("the order page", opened, 5)
    d.find_element("css selector", "#promo .client").click()
    wait_for("the second order", lambda: len(opened()) >= 2, 5)
    time.sleep(0.3)
    check(opened() == [ORDER_PAGE] * 2, "opened %s for a press and a click" % opened())
    d.find_element("css selector", "#promo .close").click()
    press("Enter", "Enter", 13)
    wait_for("the second game", playing, 10)
    hold_drop_until(lambda: not playing())
    time.sleep(0.5)
    check(not shown("promo"), "the promotion appeared after the second game too")
    first_tab = d.current_window_handle
    d.switch_to.new_window("tab")
    d.get(url)
    wait_for("the warning", lambda: shown("warning"), 30)
    text = js("return warning.innerText")
    check("警告" in text and "Quillmereは、起動されています。" in text, "the warning says %r" % text)
    press("Enter", "Enter", 13)
    wait_for("the second tab's end", lambda: shown("ended"), 10)
    check(js("return qmPage.firstFrameMs") is None, "the second tab started a game")
    d.switch_to.window(first_tab)
    check(not shown("ended"), "the first tab ended with the second")

def main():
    global d
    if len(sys.argv) != 2:
        sys.exit("usage: browser_test.py PAGE_DIR")
    if missing := [p for p in (BROWSER, DRIVER) if not os.access(p, os.X_OK)] + MISSING:
        sys.exit("browser_test: missing %s (install chromium chromium-driver python3-selenium "
                 "python3-pil)" % ", ".join(missing))
    http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(
        http.server.SimpleHTTPRequestHandler, directory=sys.argv[1]))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options, status, browsers = webdriver.ChromeOptions(), 1, []
    options.binary_location = BROWSER
    with tempfile.TemporaryDirectory(prefix="qm-web-") as tmp:  # the profile, the browser's files
        for flag in ("headless", "no-sandbox", "window-size=480,640", "no-first-run",
                     "user-data-dir=" + os.path.join(tmp, "profile")):
            options.add_argument("--" + flag)
        service = Service(DRIVER, env=dict(os.environ, TMPDIR=tmp, HOME=tmp))
        try:
            d = webdriver.Chrome(service=service, options=options)
            try:
                play(service.process.pid, "http://127.0.0.1:%d/" % server.server_address[1])
                status = 0
            finally:
                browsers = list(processes_under(service.process.pid))
                d.quit()
        except Exception as failure:  # Selenium's errors and a browser that would not start too
            print("FAILED the page in Chromium: %s" %
                  (str(failure).strip() or repr(failure)).splitlines()[0])
        finally:
            server.shutdown()
        left = lambda: [p for p in browsers if os.path.exists("/proc/%d" % p)]  # noqa: E731
        end = time.monotonic() + 10
        while left() and time.monotonic() < end:
            time.sleep(0.1)
        if remaining := left():
            print("FAILED: browser processes left behind: %s" % remaining)
            for pid in remaining:
                os.kill(pid, 9)
            status = 1
    print("browser: %d passed, %d failed" % (status == 0, status != 0))
    return status

if __name__ == "__main__":
    sys.exit(main())
