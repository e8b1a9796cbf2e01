-- The summary the collector keeps at ingest, computed again over the raw rows: the number of
-- (device, hour, item) groups where the two differ.
with raw as (
  select device, date_trunc('hour', local_start) as hour, path, item,
         count(*) filter (where shown) as plays, count(*) filter (where not shown) as not_shown,
         coalesce(sum(shown_ms) filter (where shown), 0) as shown_ms, min(local_start) as first_start,
         max(local_start) as last_start
  from play_rows group by 1, 2, 3, 4),
kept as (
  select device, hour, path, item, plays, not_shown, shown_ms, first_start, last_start from play_hours)
select count(*) from ((select * from raw except select * from kept) union all
                      (select * from kept except select * from raw)) d
