// The page's side of the game, linked in before emscripten's own code (--pre-js); the C++ side
// calls it from run_game.web.cpp, instance_lock.web.cpp and message_box.web.cpp.
var qmPage = (() => {
  const $ = (id) => document.getElementById(id);
  let wake = null;
  let numLock = false;
  let firstFrameMs = null;

  // Num Lock as the browser tells it: a keypad digit with Num Lock on has the digit for its key
  // ("4"), without it the key it stands for ("ArrowLeft"). Seen before SDL's own listener.
  const noteNumLock = (e) => {
    if (/^Numpad([0-9]|Decimal)$/.test(e.code)) numLock = e.key.length === 1;
  };
  window.addEventListener('keydown', noteNumLock, true);
  window.addEventListener('keyup', noteNumLock, true);

  // The time of the first frame on the canvas, for the page's figures.
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (firstFrameMs === null && this.canvas === $('canvas')) {
      firstFrameMs = performance.now();
      CanvasRenderingContext2D.prototype.putImageData = put;
    }
    return put.apply(this, args);
  };

  const PROMO_KEY = 1, PROMO_MOUSE = 2, PROMO_CLOSED = 3;
  const send = (kind) => Module['_qm_page_event'](kind);

  // The promotional window: keys and clicks on it are its own, never the canvas's.
  const promo = $('promo');
  promo.addEventListener('keydown', (e) => {
    if (promo.hidden) return;  // focus not yet moved on: the game's key
    e.stopPropagation();
    e.preventDefault();
    if (!e.repeat) send(PROMO_KEY);  // once per press
  });
  promo.addEventListener('keyup', (e) => promo.hidden || e.stopPropagation());
  promo.querySelector('.client').addEventListener('mousedown', (e) => {
    e.preventDefault();
    promo.focus();
    send(PROMO_MOUSE);
  });
  promo.addEventListener('contextmenu', (e) => e.preventDefault());
  promo.querySelector('.close').addEventListener('click', () => {
    promo.hidden = true;
    $('canvas').focus();  // the keys go back to the game at once
    send(PROMO_CLOSED);
  });

  return {
    get numLock() { return numLock; },
    get firstFrameMs() { return firstFrameMs; },

    // Until wake() or the time runs out (ms < 0: no time limit).
    sleep(ms) {
      return new Promise((resolve) => {
        const timer = ms >= 0 ? setTimeout(() => done(), ms) : 0;
        const done = () => {
          clearTimeout(timer);
          wake = null;
          resolve();
        };
        wake = done;
      });
    },
    wake() {
      if (wake) wake();
    },

    // One game per browser profile: a lock held until the tab goes. Without Web Locks (a page
    // that is not served from a secure origin), a question on a BroadcastChannel.
    async lockHeldElsewhere(name) {
      if (navigator.locks) {
        return new Promise((resolve) => {
          navigator.locks.request(name, { ifAvailable: true }, (lock) => {
            resolve(lock ? 0 : 1);
            return lock ? new Promise(() => {}) : null;
          });
        });
      }
      const channel = new BroadcastChannel(name);
      let answered = false, running = false;
      channel.onmessage = (e) => {
        if (e.data === 'here?' && running) channel.postMessage('here');
        if (e.data === 'here') answered = true;
      };
      channel.postMessage('here?');
      await new Promise((resolve) => setTimeout(resolve, 300));
      running = !answered;
      return answered ? 1 : 0;
    },

    // The single-instance message, modal: resolves when the player closes it.
    warn(text, title, ok) {
      const box = $('warning'), button = box.querySelector('.ok');
      box.querySelector('.caption').textContent = title;
      box.querySelector('.text').textContent = text;
      button.textContent = ok;
      box.hidden = false;
      button.focus();
      return new Promise((resolve) => {
        const close = () => {
          box.hidden = true;
          box.removeEventListener('keydown', key, true);
          resolve();
        };
        const key = (e) => {
          e.stopPropagation();
          if (['Enter', 'Escape', ' '].includes(e.key)) {
            e.preventDefault();
            close();
          }
        };
        box.addEventListener('keydown', key, true);
        box.querySelector('.close').onclick = close;
        button.onclick = close;
      });
    },

    // RGBA pixels of the picture, the client area's size and the frame's place beside the canvas.
    showPromo(pixels, width, height, clientWidth, clientHeight, left, top, caption) {
      const client = promo.querySelector('.client');
      client.width = clientWidth;
      client.height = clientHeight;
      client.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(pixels), width, height), 0, 0);
      promo.querySelector('.caption').textContent = caption;
      promo.style.left = left + 'px';
      promo.style.top = top + 'px';
      promo.hidden = false;
      promo.focus();
    },

    ended() {
      $('ended').hidden = false;
    },
  };
})();

Module['canvas'] = document.getElementById('canvas');
