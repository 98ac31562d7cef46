#!/usr/bin/python3
"""The web page as the real screen reader Orca hears it in Debian's Chromium
(a window under openbox in a private X server: a headless browser has no
AT-SPI), with the desktop Orca test's Orca: a whole game played by keys
alone, each card heard as the arrows reach it and with its bird when
turned, then the turn's news; F2, the question with Ja after the last pair,
and About. No face-down bird is ever spoken. What Orca leaves unsaid in a
turn is gathered and the game played on (the player then reads the card's
name on the AT-SPI bus), so that one run lists every such fault and keeps a
whole game's log.

    orca_page.py PAGE_DIR   (KOPPELO_ORCA_LOG=FILE keeps Orca's log)
"""
import functools
import http.server
import json
import os
import re
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "support"), os.path.join(HERE, "..", "ui_main")]
import x_server as x  # noqa: E402
import orca_game as og  # noqa: E402

# One event's news is one text, its parts joined by ", ".
NEWS = r"(.*, )?(Nieuw spel|geen paar|paar gevonden)\b"
SEED = 7  # the page's deal, so that a failing run can be played again
CHROMIUM = ["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-gpu"]


def serve(page):
    """The page on a free port of localhost, from a thread of this process."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

        def log_message(self, *_):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=page))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def browser(home, port):
    """Chromium showing the page as an app window; no offer to translate the Dutch page, which would take the focus."""
    profile = os.path.join(home, "chromium")
    os.makedirs(os.path.join(profile, "Default"))
    with open(os.path.join(profile, "Default", "Preferences"), "w", encoding="ascii") as preferences:
        json.dump({"translate": {"enabled": False}}, preferences)
    address = "http://127.0.0.1:%d/?seed=%d" % (port, SEED)
    return subprocess.Popen(CHROMIUM + ["--user-data-dir=" + profile, "--app=" + address],
                            stdout=subprocess.DEVNULL, stderr=open(os.path.join(home, "chromium.log"), "w"))


def heard_in_time(orca, pattern, mark):
    """The first utterance since mark that matches, with the mark after it; None if Orca has not said it in time."""
    deadline = time.monotonic() + og.HEARD
    while time.monotonic() < deadline:
        found = next(((hit, mark + i + 1) for i, text in enumerate(orca.said[mark:])
                      if (hit := re.search(pattern, text))), None)
        if found:
            return found
        time.sleep(0.02)
    return None


class Listener(x.HearingPlayer):
    """The kit's player, blind: arrows to a card, Space to turn it, and a bird
    known only from what Orca says. A turn's card or news that Orca does not
    say is a fault, gathered once per kind; after it the player no longer
    waits for that kind and reads the bird off the card's name on the AT-SPI bus."""

    def __init__(self, orca, names, cards):
        self.cards, self.orca, self.patience, self.slots = cards, orca, og.HEARD, x.GRID * x.GRID
        self.at, self.pairs = 0, 0
        self.bird = "(%s)" % "|".join(sorted(map(re.escape, names), key=len, reverse=True))
        self.faults, self.unsaid, self.news_before = [], set(), None
        self.mark = self.key = orca.mark()  # past what was heard; where the last Space was typed
        self.told = (self.key, None)  # where the last card was turned, and what Orca said of it
        self.came_to = self.judge
        self.new_game()

    def hear_or_note(self, kind, pattern, what):
        """Waits for pattern since the last key, unless kind already went unsaid; notes a fault if it does now;
        the mark moves past what is heard."""
        found = None if kind in self.unsaid else heard_in_time(self.orca, pattern, self.key)
        if found is None and kind not in self.unsaid:
            self.unsaid.add(kind)
            self.faults.append("%s: Orca did not say /%s/; after the key it said %r"
                               % (what, pattern, self.orca.said[self.key:]))
        self.mark = max(self.mark, found[1] if found else self.key)
        return found

    def turn(self, slot):
        if moves := x.arrows(self.at, slot):
            mark = self.orca.mark()
            x.keys(*moves)
            self.orca.hear("^" + x.card(slot, r"dicht\b"), mark)
        self.once()
        self.at, self.key = slot, self.orca.mark()
        x.keys("space")
        name = "^" + x.card(slot, "(open|gevonden), " + self.bird + r"\b")
        heard = self.hear_or_note("card", name, "card %d turned" % (slot + 1))
        if heard is None:
            heard = (x.wait_until(lambda: re.search(name, fresh(self.cards[slot]).name),
                                  "card %d's name on the bus to show its bird" % (slot + 1)), self.key)
        self.seen, self.told = (slot, heard[0][2]), (self.key, heard[0].string if heard[1] > self.key else None)

    def once(self):
        """The card last turned was said once between its key and now."""
        key, text = self.told
        if text is not None and self.orca.said[key:].count(text) > 1:
            self.faults.append("said more than once: %r, in %r" % (text, self.orca.said[key:]))

    def judge(self, slot, what):
        """The turn's news, the same words after the same words too; before or after the card, as Orca
        may take the later of two live-region items first."""
        self.pairs += what == "pair"
        news = {"pair": "paar gevonden, Paren: %d" % self.pairs, "miss": "geen paar"}.get(what)
        if news is None:
            return
        kind = "the same news again" if news == self.news_before else "the news"
        self.news_before = news
        self.hear_or_note(kind, "(^|, )" + re.escape(news) + r"\b", "%s of card %d" % (kind, slot + 1))


def fresh(accessible):
    accessible.clearCache()
    return accessible


def page_cards(desktop, first):
    """The 36 cards of the page in Chromium, by slot, once the first shows face down; else None."""
    import pyatspi  # Debian's own python3 has it, which runs this side
    cards = {}
    for app in desktop:
        if app is not None and app.name == "Chromium":
            for each in og.walk(app):
                found = re.match(r"^Kaart (\d+), rij ", each.name or "")
                if found and each.getRole() == pyatspi.ROLE_PUSH_BUTTON:
                    cards[int(found[1]) - 1] = each
    return [cards[slot] for slot in range(x.GRID * x.GRID)] if len(cards) == x.GRID * x.GRID and \
        cards[0].name == first else None


def hidden_birds(said, names, faces, dealt):
    """Every bird spoken up to the deal at dealt is in a turned card's name, the bird that card was heard with;
    after it, none, as no card of that deal is turned."""
    for i, text in enumerate(said):
        birds = [name for name in names if re.search(r"\b%s\b" % re.escape(name), text)]
        # Orca 43 ends a focused card with "push button", 48 with "button" or the live region's next news.
        card = re.match(r"^Kaart (\d+), rij \d+, kolom \d+: (open|gevonden), (.*)$", text)
        own = card and max((name for name in names if card[3].startswith(name)), key=len, default=None)
        if birds and not (i < dealt and card and faces.get(int(card[1]) - 1) == own and birds == [own]):
            yield "a bird of a card not turned up %s: %r" % ("in this deal" if i >= dealt else "or not its own", text)


def quiet_on_load():
    """Orca set not to read a page through once loaded, which would race the keys: the rest as it comes."""
    settings = {"sayAllOnLoad": False}
    folder = os.path.join(os.environ["XDG_DATA_HOME"], "orca")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "user-settings.conf"), "w", encoding="ascii") as out:
        json.dump({"general": settings, "pronunciations": {}, "keybindings": {},
                   "profiles": {"default": dict(settings, profile=["Default", "default"])}}, out)


def play(page):
    names = x.bird_names()
    quiet_on_load()
    orca = og.Orca()
    x.check(orca.ready.wait(og.STARTING), "Orca never said in its log that it was ready")
    # Chromium talks AT-SPI only if this switch is on as it starts (or ACCESSIBILITY_ENABLED=1), whatever its flags.
    og.accessibility_on()
    server, home = serve(page), os.environ["HOME"]
    chromium = browser(home, server.server_port)
    try:
        x.find_window("Koppelo", process=chromium, what="Chromium")
        # The page is ready when its cards show on the AT-SPI bus; a Tab before would land elsewhere.
        import pyatspi
        first = x.card(0, "dicht")
        cards = x.wait_until(lambda: page_cards(pyatspi.Registry.getDesktop(0), first),
                             "the page's cards on the AT-SPI bus", og.STARTING, pause=0.5)
        mark = orca.mark()
        x.keys("Tab")
        mark = orca.hear("^" + re.escape(first), mark)[1]
        x.keys("F2")
        mark = orca.hear(r"^Nieuw spel\b", mark)[1]

        player = Listener(orca, names, cards)
        player.win()
        player.once()
        mark = player.mark
        question = orca.hear(r"^Gefeliciteerd!", mark)[1]
        mark = orca.hear(r"^Ja\b", question)[1]
        answered = orca.mark()
        x.keys("Return")
        mark = orca.hear(r"^Nieuw spel\b", mark)[1]
        dealt = mark - 1
        if old := [text for text in orca.said[answered:dealt] if re.match(NEWS, text) or re.search(player.bird, text)]:
            player.faults.append("Ja pressed: Orca said the old news again before 'Nieuw spel': %r" % old)

        # About by its access key, the menu's item by Return; Esc closes it and the board is heard again.
        x.keys("alt+h")
        mark = orca.hear(r"^Over\.\.\.$", mark)[1]
        x.keys("Return")
        about = orca.mark()
        mark = orca.hear(r"^OK\b", about)[1]
        texts = " ".join(orca.said[about:mark])
        if x.ABOUT_TEXT not in texts and not all(part in texts for part in x.ABOUT_TEXT.split(", ")):
            player.faults.append("About opened: Orca did not say %r; it said %r" % (x.ABOUT_TEXT, orca.said[about:]))
        x.keys("Escape")
        player.key = mark
        player.hear_or_note("back", "^" + x.card(player.at, r"dicht\b"), "About closed, the focus back on its card")
        old = [text for text in orca.said[mark:] if re.match(NEWS, text)]
        if old:
            player.faults.append("About closed: Orca said the old news again: %r" % old)

        player.faults += hidden_birds(orca.said, names, player.faces, dealt)
        x.check(not player.faults, "what Orca left unsaid or said amiss:\n  " + "\n  ".join(player.faults))
        print("the real screen reader in the web page: OK")
    finally:
        for process in (chromium, orca.process):
            process.kill()
        server.shutdown()


def inside(page):
    with og.session():
        play(page)


def main():
    if sys.argv[1:2] == ["--inside"]:
        return inside(sys.argv[2])
    x.check(len(sys.argv) == 2 and os.path.isfile(os.path.join(sys.argv[1], "index.html")),
            "usage: orca_page.py PAGE_DIR (a built page, as scripts/web.sh makes build/web)")
    x.rerun_inside(__file__, [os.path.abspath(sys.argv[1])], 900, around=["dbus-run-session", "--"],
                   python="/usr/bin/python3", drop=["DBUS_SESSION_BUS_ADDRESS"])


if __name__ == "__main__":
    main()
